// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/soundplayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace Tolvane {

namespace {

Q_LOGGING_CATEGORY(lcSound, "tolvane.sound", QtWarningMsg)

// How long a waiting caller may be held past the clip's length for a device
// that is slow to report the end.
constexpr std::chrono::milliseconds kFinishSlack{1000};

// How long a sink is kept after it has taken the last sample, so the device
// plays out its buffer (about 100 ms on PulseAudio) before the stream closes.
constexpr std::chrono::milliseconds kReleaseAfterIdle{1000};

// Keeps time and makes no sound: for a program without a usable device.
class TSilentSoundOutput final : public TSoundOutput {
public:
    void Start(const TWaveImage&, TFinished Finished) override {
        if (Finished) Finished();
    }
};

// Plays cues through Qt Multimedia on the sound thread, so a clip goes on
// sounding while the user-interface thread is held by a waiting cue. A
// QAudioSink is made per clip, since the clips differ in format, and kept
// after the clip has been handed over so the device can play out what it
// has buffered, then released.
class TQtSink final : public QObject, public TSoundSink {
public:
    TQtSink() {
        FRelease.setSingleShot(true);
        FRelease.setInterval(kReleaseAfterIdle);
        connect(&FRelease, &QTimer::timeout, this, &TQtSink::Cut);
    }
    ~TQtSink() override { Cut(); }

    void Play(const TSoundCue& cue, TSoundOutput::TFinished finished) override {
        Cut();
        FFinished = std::move(finished);
        // Asked at every cue, so a change of the default device is followed.
        // The first ask sets up the audio system, which waits for the sound
        // server's answer (30 s for one that never answers): here, on the
        // sound thread, it holds up no window.
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            qCDebug(lcSound) << "no audio output device; cue not heard";
            Finish();
            return;
        }
        QAudioFormat format;
        format.setSampleRate(static_cast<int>(cue.Format.SampleRate));
        format.setChannelCount(cue.Format.Channels);
        format.setSampleFormat(cue.Format.BitsPerSample == 8 ? QAudioFormat::UInt8
                                                             : QAudioFormat::Int16);
        FBuffer = new QBuffer(this);
        FBuffer->setData(cue.Samples);
        FBuffer->open(QIODevice::ReadOnly);
        FSink = new QAudioSink(device, format, this);
        connect(FSink, &QAudioSink::stateChanged, this, &TQtSink::StateChanged);
        FSink->start(FBuffer);
        if (FSink->error() != QAudio::NoError) {
            qCDebug(lcSound) << "audio output refused the cue:" << FSink->error();
            FFailed = true;
            Finish();
        }
    }

    bool Failed() const override { return FFailed; }

private:
    void StateChanged(QAudio::State state) {
        qCDebug(lcSound) << "audio output" << state << FSink->error() << "after"
                         << FSink->elapsedUSecs() / 1000 << "ms, played"
                         << FSink->processedUSecs() / 1000 << "ms";
        // Idle: every byte has gone to the device, which plays out the rest.
        if (state == QAudio::IdleState) {
            Finish();
            // An idle stream would keep the device from going to sleep.
            FRelease.start();
        } else if (state == QAudio::StoppedState && FSink->error() != QAudio::NoError) {
            FFailed = true;
            Finish();
        }
    }

    void Finish() {
        if (const TSoundOutput::TFinished finished = std::exchange(FFinished, nullptr)) finished();
    }

    // Silences the clip sounding, if any, and tells its waiter.
    void Cut() {
        FRelease.stop();
        if (FSink) {
            disconnect(FSink, nullptr, this, nullptr);
            FSink->stop();
            // Not deleted here: Cut may run inside a slot of the sink's own signal.
            FSink->deleteLater();
            FSink = nullptr;
        }
        if (FBuffer) {
            FBuffer->deleteLater();
            FBuffer = nullptr;
        }
        Finish();
    }

    QAudioSink* FSink = nullptr;
    QBuffer* FBuffer = nullptr;
    TSoundOutput::TFinished FFinished;
    bool FFailed = false;
    QTimer FRelease{this};
};

// A thread left held at the end must not meet the teardown of what it holds
// (the audio system's waits on it, or aborts): the process then ends at
// exit before that teardown, with the status it exits with. Registered
// late, so it runs before the teardown registered earlier.
void EndBeforeTeardownAtExit() {
    static std::once_flag registered;
    std::call_once(registered, [] {
        on_exit(
            [](int status, void*) {
                std::fflush(nullptr);
                std::_Exit(status);
            },
            nullptr);
    });
}

// The default output, owned by the application so that its thread ends
// before the application object does.
class TApplicationSoundOutput final : public QObject, public TSoundOutput {
public:
    explicit TApplicationSoundOutput(QObject* parent)
        : QObject(parent), FOutput([] { return std::make_unique<TQtSink>(); }) {}
    void Start(const TWaveImage& Wave, TFinished Finished) override {
        FOutput.Start(Wave, std::move(Finished));
    }

private:
    TThreadedSoundOutput FOutput;
};

TSoundOutput* InstalledOutput = nullptr;

TSoundOutput& CurrentOutput() {
    if (InstalledOutput) return *InstalledOutput;
    static TSilentSoundOutput silent;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return silent;
    // A headless run with no sound server named has no one to hear it, and
    // looking for a server there can take long.
    if (QGuiApplication::platformName() == QLatin1String("offscreen") &&
        !qEnvironmentVariableIsSet("PULSE_SERVER"))
        return silent;
    static QPointer<TApplicationSoundOutput> qtOutput;
    if (!qtOutput) qtOutput = new TApplicationSoundOutput(app);
    return *qtOutput;
}

std::deque<TSoundClip> LoadClips() {
    std::deque<TSoundClip> clips;
    QDirIterator it(QStringLiteral(":/sounds"), {QStringLiteral("*.wav")}, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        TSoundClip& clip = clips.emplace_back();
        clip.Name = QFileInfo(path).completeBaseName();
        clip.Image = file.readAll();
        clip.Read = ReadRiffWave(std::as_bytes(
            std::span(clip.Image.constData(), static_cast<std::size_t>(clip.Image.size()))));
        if (!clip.Read)
            qCDebug(lcSound) << "cue" << clip.Name
                             << "is not playable:" << WaveFaultText(clip.Read.Fault).data();
    }
    return clips;
}

// Holds the calling thread, processing nothing, until the clip has been
// heard: at least its length, then until the output says it is over, but
// no more than a little past its length.
void WaitForClip(TSoundOutput& output, const TWaveImage& wave) {
    using TClock = std::chrono::steady_clock;
    // Shared with the output's callback, which may come from another thread
    // and after this wait is over.
    struct TWait {
        std::mutex Lock;
        std::condition_variable Over;
        bool Finished = false;
    };
    const auto wait = std::make_shared<TWait>();
    const TClock::time_point started = TClock::now();
    output.Start(wave, [wait] {
        {
            const std::lock_guard lock(wait->Lock);
            wait->Finished = true;
        }
        wait->Over.notify_all();
    });
    const auto length = std::chrono::ceil<std::chrono::milliseconds>(wave.Duration());
    std::this_thread::sleep_until(started + length);
    std::unique_lock lock(wait->Lock);
    wait->Over.wait_until(lock, started + length + kFinishSlack, [&] { return wait->Finished; });
}

} // namespace

// What the user-interface thread and the sound thread share.
struct TThreadedSoundOutput::TShared {
    using TClock = std::chrono::steady_clock;
    struct TPending {
        TSoundCue Cue;
        TFinished Finished;
        TClock::time_point Since;
    };

    std::mutex Lock;
    // The cue waiting for the sound thread; a newer one replaces it.
    std::optional<TPending> Pending;
    // A take of the pending cue is queued on the sound thread.
    bool Posted = false;
    // When the sink began the play under way; empty while none is.
    std::optional<TClock::time_point> PlayingSince;
};

// Lives on the sound thread with the sink it makes.
class TThreadedSoundOutput::TWorker final : public QObject {
public:
    TWorker(TSoundSinkFactory factory, std::shared_ptr<TShared> shared)
        : FFactory(std::move(factory)), FShared(std::move(shared)) {}

    void Take() {
        TShared::TPending pending;
        {
            const std::lock_guard lock(FShared->Lock);
            FShared->Posted = false;
            if (!FShared->Pending) return;
            pending = std::move(*std::exchange(FShared->Pending, std::nullopt));
            FShared->PlayingSince = TShared::TClock::now();
        }
        // A cue held up behind a slow start is no longer the moment's.
        if (TShared::TClock::now() - pending.Since > kStartLimit) {
            Done();
            if (pending.Finished) pending.Finished();
            return;
        }
        if (!FSink || FSink->Failed()) {
            FSink.reset();
            FSink = FFactory();
        }
        if (FSink)
            FSink->Play(pending.Cue, std::move(pending.Finished));
        else if (pending.Finished)
            pending.Finished();
        Done();
    }

    // Goes on the sound thread, as it ends.
    void Release() { FSink.reset(); }

private:
    void Done() {
        const std::lock_guard lock(FShared->Lock);
        FShared->PlayingSince.reset();
    }

    TSoundSinkFactory FFactory;
    std::shared_ptr<TShared> FShared;
    std::unique_ptr<TSoundSink> FSink;
};

TThreadedSoundOutput::TThreadedSoundOutput(TSoundSinkFactory Factory)
    : FShared(std::make_shared<TShared>()), FThread(new QThread),
      FWorker(new TWorker(std::move(Factory), FShared)) {
    FThread->setObjectName(QStringLiteral("sound"));
    FWorker->moveToThread(FThread);
    // The worker goes on its own thread, as the thread ends: while the
    // application is being torn down nothing can be posted to it.
    QObject::connect(
        FThread, &QThread::finished, FWorker,
        [worker = FWorker] {
            worker->Release();
            delete worker;
        },
        Qt::DirectConnection);
    FThread->start();
}

TThreadedSoundOutput::~TThreadedSoundOutput() {
    TFinished unheard;
    {
        const std::lock_guard lock(FShared->Lock);
        if (FShared->Pending) unheard = std::move(FShared->Pending->Finished);
        FShared->Pending.reset();
    }
    if (unheard) unheard();
    FThread->quit();
    if (FThread->wait(QDeadlineTimer(kShutdownWait))) {
        delete FThread;
        return;
    }
    qCDebug(lcSound) << "sound thread still held at the end; left behind";
    EndBeforeTeardownAtExit();
}

void TThreadedSoundOutput::Start(const TWaveImage& Wave, TFinished Finished) {
    TSoundCue cue{Wave.Format, QByteArray(reinterpret_cast<const char*>(Wave.Samples.data()),
                                          static_cast<qsizetype>(Wave.Samples.size()))};
    TFinished replaced;
    bool hung = false;
    bool post = false;
    {
        const std::lock_guard lock(FShared->Lock);
        const auto now = TShared::TClock::now();
        hung = FShared->PlayingSince && now - *FShared->PlayingSince > kStartLimit;
        if (!hung) {
            if (FShared->Pending) replaced = std::move(FShared->Pending->Finished);
            FShared->Pending = TShared::TPending{std::move(cue), std::move(Finished), now};
            post = !std::exchange(FShared->Posted, true);
        }
    }
    // Cut off before it began.
    if (replaced) replaced();
    if (hung) {
        qCDebug(lcSound) << "sound output hung; cue not heard";
        if (Finished) Finished();
        return;
    }
    if (post)
        QMetaObject::invokeMethod(
            FWorker, [worker = FWorker] { worker->Take(); }, Qt::QueuedConnection);
}

TSoundOutput* SetSoundOutput(TSoundOutput* Output) {
    return std::exchange(InstalledOutput, Output);
}

const TSoundClip* FindSoundClip(const QString& Name) {
    // Read on first use and kept, like the program image they come from.
    static const std::deque<TSoundClip> clips = LoadClips();
    for (const TSoundClip& clip : clips)
        if (clip.Name.compare(Name, Qt::CaseInsensitive) == 0) return &clip;
    return nullptr;
}

void PlaySoundCue(const QString& Name, bool Wait) {
    const TSoundClip* clip = FindSoundClip(Name);
    if (!clip) throw TResourceNotFound();
    if (!clip->Read) return;
    TSoundOutput& output = CurrentOutput();
    if (Wait)
        WaitForClip(output, *clip->Read.Wave);
    else
        output.Start(*clip->Read.Wave, {});
}

} // namespace Tolvane
