// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>

class QWidget;

namespace Tolvane {

enum class TMsgDlgType { mtError, mtInformation, mtConfirmation, mtPlain };
enum class TMsgButtons { mbOK, mbNoOK };
enum class TModalResult { mrOk, mrNo };

// Where message boxes go. The program shows real boxes; tests install a sink
// that records each text and answers without a modal loop.
class TMessageSink {
public:
    virtual ~TMessageSink() = default;
    virtual TModalResult Show(TMsgDlgType type, const QString& text, TMsgButtons buttons) = 0;
};

// Installs a sink (nullptr restores the real boxes) and returns the previous one.
TMessageSink* SetMessageSink(TMessageSink* sink);

// The program's title, which every message box carries; empty until set.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// The program's main window, which owns the boxes while no dialog runs
// modally. Forgotten when the window goes.
void SetMainWindow(QWidget* window);

// The window a box belongs to, so that it opens above it and the window
// manager keeps it there: the dialog running modally (the high-score window,
// which stays on top), else the main window once it is shown; none before.
QWidget* MessageParent();

// Moves a top-level window so that its frame, not its client area, has its
// top-left corner at topLeft, also when the window system has already been
// told of the window but not yet framed it (as in a show event).
void MoveFrameTo(QWidget& window, QPoint topLeft);

TModalResult MessageDlg(const QString& text, TMsgDlgType type, TMsgButtons buttons);

// True while a message box is up. A real box runs the event loop, so a
// board's timers still tick behind it; a game that must not go on unseen
// (a ball that would be lost behind a notice) waits while this is true.
bool MessageShowing();

// An error box with one OK button.
void ShowError(const QString& text);
// An information box with one OK button.
void ShowInformation(const QString& text);
// An information box with No and OK; true for OK.
bool AskNoOk(const QString& text);

} // namespace Tolvane
