// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/gamepan.h"
#include "gamepan/toolkit/platform/random.h"
#include "tests/support/recordingmessages.h"

#include <QRect>
#include <QSize>
#include <QWidget>
#include <memory>

// A game panel at its bounds on a shown host window, with message boxes
// recorded and the random generator fixed: how every panel test starts.
class TPanelFixture {
protected:
    void SetUpPanel(std::uint32_t seed, QSize host, QRect bounds) {
        Tolvane::FixRandomSeed(seed);
        FMessages = std::make_unique<Tolvane::TRecordingMessages>();
        FHost = std::make_unique<QWidget>();
        FHost->resize(host);
        FPan = new Tolvane::TGamePan(FHost.get());
        FPan->setGeometry(bounds);
        FHost->show();
    }
    void TearDownPanel() {
        FHost.reset();
        FMessages.reset();
        Tolvane::ReleaseRandomSeed();
    }

    std::unique_ptr<QWidget> FHost;
    Tolvane::TGamePan* FPan = nullptr; // owned by FHost
    std::unique_ptr<Tolvane::TRecordingMessages> FMessages;
};
