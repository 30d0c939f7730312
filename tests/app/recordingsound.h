// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/soundplayer.h"

#include <QStringList>

namespace Tolvane {

// Stands in for the audio output while installed and records which embedded
// clips were started, by their resource names.
class TRecordingSound final : public TSoundOutput {
public:
    TRecordingSound() : FPrevious(SetSoundOutput(this)) {}
    ~TRecordingSound() override { SetSoundOutput(FPrevious); }
    TRecordingSound(const TRecordingSound&) = delete;
    TRecordingSound& operator=(const TRecordingSound&) = delete;

    void Start(const TWaveImage& Wave, TFinished Finished) override {
        QString name = QStringLiteral("?");
        for (const char* cue : {"ENERGY", "ERROR", "EXIT", "STEP", "ZARI"}) {
            const TSoundClip* clip = FindSoundClip(QString::fromLatin1(cue));
            if (clip && clip->Read && clip->Read.Wave->Samples.data() == Wave.Samples.data())
                name = clip->Name;
        }
        Played << name;
        if (Finished) Finished();
    }

    QStringList Played;

private:
    TSoundOutput* FPrevious;
};

} // namespace Tolvane
