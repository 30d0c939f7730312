// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"
#include "notify.h"

#include <QString>
#include <QWidget>

class QPainter;

namespace Tolvane {

// The base of every game board: a panel that fills its background with its
// colour, routes key presses to an installed key-down callback as
// virtual-key codes, and takes the keyboard focus whenever the pointer is
// over it (where a classic window answers the hit test with "caption").
class TCustomPanel : public QWidget {
    Q_OBJECT
public:
    explicit TCustomPanel(QWidget* parent = nullptr);

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);

    // Fill the parent's client area (its contents rectangle).
    void AlignToClient();

    // Tab stop on: the panel takes the focus by tab, click and hover.
    void SetTabStop(bool tabStop);
    bool CanFocus() const;

    // Valid only while the panel paints: what a paint-back handler draws on.
    QPainter* Canvas() const { return FCanvas; }

    // Key router installed by the owner; a press without one goes to the parent.
    TKeyEvent OnKeyDown;

protected:
    // The background fill (and caption); boards draw their pieces after it.
    virtual void Paint(QPainter& painter, const QRect& dirty);

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void TakeHoverFocus();

    TColor FColor = clBtnFace;
    QString FCaption;
    QPainter* FCanvas = nullptr;
};

} // namespace Tolvane
