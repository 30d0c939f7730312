// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordingmessages.h"

namespace Tolvane {

TRecordingMessages::TRecordingMessages() : FPrevious(SetMessageSink(this)) {}

TRecordingMessages::~TRecordingMessages() {
    SetMessageSink(FPrevious);
}

TModalResult TRecordingMessages::Show(TMsgDlgType type, const QString& text, TMsgButtons buttons) {
    Shown.append({type, text, buttons});
    if (WhileShown) WhileShown(text);
    return buttons == TMsgButtons::mbOK ? TModalResult::mrOk : Answer;
}

QStringList TRecordingMessages::Texts() const {
    QStringList texts;
    for (const TShown& shown : Shown) texts.append(shown.Text);
    return texts;
}

} // namespace Tolvane
