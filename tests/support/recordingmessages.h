// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/platform/messages.h"

#include <QList>
#include <QString>
#include <functional>

namespace Tolvane {

// Records every message box instead of showing it, and answers as told.
// Installed for its lifetime.
class TRecordingMessages final : public TMessageSink {
public:
    struct TShown {
        TMsgDlgType Type;
        QString Text;
        TMsgButtons Buttons;
    };

    TRecordingMessages();
    ~TRecordingMessages() override;
    TRecordingMessages(const TRecordingMessages&) = delete;
    TRecordingMessages& operator=(const TRecordingMessages&) = delete;

    TModalResult Show(TMsgDlgType type, const QString& text, TMsgButtons buttons) override;

    // The answer to boxes with No and OK (boxes with only OK answer OK).
    TModalResult Answer = TModalResult::mrOk;
    QList<TShown> Shown;
    // Runs while a box is "up", as a real one would run the event loop.
    std::function<void(const QString& text)> WhileShown;

    QStringList Texts() const;
    void Clear() { Shown.clear(); }

private:
    TMessageSink* FPrevious;
};

} // namespace Tolvane
