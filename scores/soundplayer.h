// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/riffwave.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

namespace Tolvane {

// Raised when a cue is asked for by a name the program does not carry.
class TResourceNotFound : public std::runtime_error {
public:
    TResourceNotFound() : std::runtime_error("Resource not found") {}
};

// Where cues sound. The program plays through the default audio output;
// tests install an output of their own. One clip sounds at a time.
class TSoundOutput {
public:
    using TFinished = std::function<void()>;

    virtual ~TSoundOutput() = default;

    // Starts Wave, cutting off a clip still sounding. The output copies what
    // it needs, so Wave may go away once Start returns. Finished, if set, is
    // called exactly once when this clip stops sounding, whether it played
    // out, was cut off or could not be played; possibly before Start returns,
    // and possibly from another thread.
    virtual void Start(const TWaveImage& Wave, TFinished Finished) = 0;
};

// Installs an output (nullptr restores the default) and returns the previous
// one. The caller keeps ownership and must restore before destroying it.
TSoundOutput* SetSoundOutput(TSoundOutput* Output);

// One of the clips embedded under ":/sounds/", read once and kept for the
// life of the program.
struct TSoundClip {
    QString Name;     // the resource name, e.g. "ZARI"
    QByteArray Image; // the whole RIFF WAVE file
    TWaveRead Read;   // Read.Wave views into Image
};

// The embedded clip called Name, matched without regard to case, or nullptr.
const TSoundClip* FindSoundClip(const QString& Name);

// Plays the embedded clip called Name (any case); throws TResourceNotFound
// when there is none. Without Wait it returns at once. With Wait it returns
// when the clip has finished, and never before the clip's length has passed,
// so a silent or absent device does not change the rhythm of a game. The
// wait holds the calling thread: its timers and input wait until the clip
// is over, as play stands still during the cue.
void PlaySoundCue(const QString& Name, bool Wait);

} // namespace Tolvane
