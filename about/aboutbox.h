// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/picture.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>

class QEventLoop;
class QFrame;
class QLabel;
class QPushButton;

namespace Ui {
class TAboutBox;
}

namespace Tolvane {

// The author's addresses behind the two clickable lines.
inline constexpr char kAuthorMail[] = "tolvane@example.org";
inline constexpr char kAuthorWeb[] = "https://tolvane.example.org/";

// Names the program and its version and carries a mail line and a web line.
// At start-up it is the splash (ShowSplash); from the About button the main
// window makes it 400 pixels tall, which brings OK into view, and runs it
// modally. Only OK closes it, and only when it runs modally.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // Loads FBackground into FPicture. A file that cannot be loaded is
    // reported; the box then shows on its navy colour with no picture and no
    // background path.
    void LoadBackground();

    // Shows the box without waiting and returns once it has been painted
    // on the screen, or after kSplashMapWaitMs: a window manager maps and
    // exposes a window some time after the program showed it.
    void ShowSplash();
    // Keeps the splash painted until the deadline while the program is busy
    // elsewhere: paint requests and the window system's map and expose
    // events are handled meanwhile; user input waits for the main window.
    void HoldSplash(const QDeadlineTimer& until);

    static constexpr int kSplashMapWaitMs = 2000;

    // Where the window opens; centred on the primary screen at creation.
    std::int32_t FPosLeft = 0;
    std::int32_t FPosTop = 0;
    // Owned; null while there is no background picture.
    std::unique_ptr<TPicture> FPicture;
    // Path of the background picture, empty for none.
    QString FBackground;

public slots:
    // The Escape key and the window system's close request land here; the
    // box has no close icon, so they are refused.
    void reject() override;
    // OK ends a modal run and frees the picture; a splash stays up.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormClose();
    void Label6Click();
    void Label7Click();
    void ResetLinkLines();
    void PaintBox1Paint();

    // Runs the events a splash needs, no user input, until the deadline or,
    // with untilPainted, its first paint on the screen.
    void RunSplashEvents(const QDeadlineTimer& until, bool untilPainted);

    std::unique_ptr<Ui::TAboutBox> FUi;
    // Painted while its window was exposed, so on the screen.
    bool FPaintedOnScreen = false;
    // The loop of RunSplashEvents that waits for that paint, if any.
    QEventLoop* FFirstPaintLoop = nullptr;
    // The link line under a pressed button; a release over it is a click.
    QLabel* FPressedLine = nullptr;
};

} // namespace Tolvane
