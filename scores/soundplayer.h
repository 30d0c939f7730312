// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scores/riffwave.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>

class QThread;

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

// A cue as a sink gets it: its format and its own copy of the samples.
struct TSoundCue {
    TWaveFormat Format;
    QByteArray Samples;
};

// What sounds the cues on a sound thread: the platform's audio output, or a
// test's stand-in. Made, used and destroyed on that one thread.
class TSoundSink {
public:
    virtual ~TSoundSink() = default;

    // Starts Cue, cutting off one still sounding; Finished as for
    // TSoundOutput::Start. May take long or never return (a sound server
    // that hangs): nobody waits for it without a bound.
    virtual void Play(const TSoundCue& Cue, TSoundOutput::TFinished Finished) = 0;
    // True once this sink can play no more (its device or server failed):
    // a later cue is played by a fresh one.
    virtual bool Failed() const { return false; }
};

// Makes a sink, on the sound thread, where finding a device may take long.
// Null for none (no device, for now): the cue is not heard, and a later one
// asks again.
using TSoundSinkFactory = std::function<std::unique_ptr<TSoundSink>()>;

// Plays cues through sinks on a sound thread of its own; Start returns at
// once. A sink still starting a cue after kStartLimit counts as hung: later
// cues are not heard, rather than queued behind it, until it returns; a cue
// that waited longer than that is dropped unheard. The destructor waits for
// the thread no longer than kShutdownWait: a thread still held then is left
// behind, and the process ends at exit without tearing down what that
// thread may still hold (a teardown could wait for it, or free what it is
// still using), keeping its exit status.
class TThreadedSoundOutput final : public TSoundOutput {
public:
    static constexpr std::chrono::milliseconds kStartLimit{1000};
    static constexpr std::chrono::milliseconds kShutdownWait{1000};

    explicit TThreadedSoundOutput(TSoundSinkFactory Factory);
    ~TThreadedSoundOutput() override;
    TThreadedSoundOutput(const TThreadedSoundOutput&) = delete;
    TThreadedSoundOutput& operator=(const TThreadedSoundOutput&) = delete;

    void Start(const TWaveImage& Wave, TFinished Finished) override;

private:
    struct TShared;
    class TWorker;
    std::shared_ptr<TShared> FShared;
    // Owned, but left undeleted with its thread when that is held at the end.
    QThread* FThread;
    TWorker* FWorker;
};

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
