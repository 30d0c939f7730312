// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

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
