// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

namespace Tolvane {

// A plain panel whose frame style changes at run time. Framed, it has a
// raised sizing border and, optionally, a title bar that shows its caption,
// and it can be dragged by the title bar and resized by the border inside
// its parent like a small window; the border shows the resize cursor.
class TPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QColor Color READ ColorAsQColor WRITE SetColorAsQColor)
public:
    static constexpr int kBorder = 4;       // sizing border on every side, pixels
    static constexpr int kTitleHeight = 18; // title bar below the top border, pixels
    static constexpr int kMinimumSide = 80; // smallest outer width and height while framed

    explicit TPanel(QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);

    // Adds (framed) or removes the sizing border, with a title bar when asked.
    void SetFrame(bool framed, bool titleBar);
    bool Framed() const { return FFramed; }
    bool HasTitleBar() const { return FTitleBar; }
    // What a frame takes off each side of the client area.
    static QMargins FrameMargins(bool titleBar);

    // The client area: inside the frame while framed.
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int width);
    void SetClientHeight(int height);

protected:
    // The title bar's own repaint, for a caption that must show at once.
    void RepaintTitleBar();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QColor ColorAsQColor() const { return ToPropertyColor(FColor); }
    void SetColorAsQColor(const QColor& color) { SetColor(FromPropertyColor(color)); }
    QRect TitleBarRect() const;
    Qt::Edges EdgesAt(QPoint at) const;
    void PaintFrame(QPainter& painter) const;

    QString FCaption;
    TColor FColor = clBtnFace;
    bool FFramed = false;
    bool FTitleBar = false;

    // Dragging the framed panel by its title bar or border.
    enum class TDrag : std::uint8_t { None, Move, Resize };
    TDrag FDrag = TDrag::None;
    Qt::Edges FDragEdges;
    QPoint FDragStart;
    QRect FDragBounds;
};

} // namespace Tolvane
