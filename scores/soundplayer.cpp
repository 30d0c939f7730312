// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/soundplayer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <span>
#include <thread>

namespace Tolvane {

namespace {

Q_LOGGING_CATEGORY(lcSound, "tolvane.sound", QtWarningMsg)

// How long a waiting caller may be held past the clip's length for a device
// that is slow to report the end.
constexpr std::chrono::milliseconds kFinishSlack{1000};

// How long a clip's stream is kept after the clip should have played out,
// so the server plays out its buffer (about 100 ms on PulseAudio) before
// the stream closes.
constexpr std::chrono::milliseconds kReleaseAfterIdle{1000};

// Keeps time and makes no sound: for a program without a usable device.
class TSilentSoundOutput final : public TSoundOutput {
public:
    void Start(const TWaveImage&, TFinished Finished) override {
        if (Finished) Finished();
    }
};

// Plays cues through the sound server (PulseAudio, or PipeWire's pulse
// server) on the sound thread, so a clip goes on sounding while the
// user-interface thread is held by a waiting cue. Each clip gets a
// connection of its own, in its own format: a server that went away and
// came back, however much later, is found again by the next cue, and so is
// a new default device, as no connection outlives the clip it was made
// for. A connection is kept after its clip has been handed over so the
// server can play out what it has buffered, then closed; closing it sooner
// cuts the clip off.
class TPulseSink final : public QObject, public TSoundSink {
public:
    explicit TPulseSink(QByteArray clientName) : FClientName(std::move(clientName)) {
        FRelease.setSingleShot(true);
        connect(&FRelease, &QTimer::timeout, this, &TPulseSink::Cut);
    }
    ~TPulseSink() override { Cut(); }

    void Play(const TSoundCue& cue, TSoundOutput::TFinished finished) override {
        Cut();
        FFinished = std::move(finished);
        const pa_sample_spec sampleFormat{
            cue.Format.BitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE, cue.Format.SampleRate,
            static_cast<std::uint8_t>(cue.Format.Channels)};
        const auto bytes = static_cast<std::uint32_t>(cue.Samples.size());
        constexpr auto kServerChooses = static_cast<std::uint32_t>(-1);
        const std::uint32_t frame = cue.Format.BytesPerFrame();
        // The stream holds the whole clip and a tenth of a second more, so
        // the write hands it over at once instead of waiting for it to play;
        // it starts at its first frame, not once a buffer is full (a clip
        // shorter than the server's usual buffer would not start at all).
        // The server gives the device half of what a stream holds beyond two
        // requests: with requests of half the stream, the device buffers the
        // least it can, and a cut silences the clip at once rather than
        // after what was queued to the device.
        const std::uint32_t length = bytes + cue.Format.SampleRate / 10 * frame;
        const pa_buffer_attr buffer{kServerChooses, length, frame, length / 2 / frame * frame,
                                    kServerChooses};
        int error = 0;
        // Connecting waits for the server's answer: for long with one that
        // hangs or never answers, holding this thread only.
        FStream = pa_simple_new(nullptr, FClientName.constData(), PA_STREAM_PLAYBACK, nullptr,
                                "Sound cue", &sampleFormat, nullptr, &buffer, &error);
        if (!FStream) {
            qCDebug(lcSound) << "no sound server took the cue:" << pa_strerror(error);
            Finish();
            return;
        }
        if (pa_simple_write(FStream, cue.Samples.constData(), bytes, &error) < 0) {
            qCDebug(lcSound) << "the sound server refused the cue:" << pa_strerror(error);
            Cut();
            return;
        }
        if (FFinished) {
            // Someone waits for the end: it is heard when the server says so.
            if (pa_simple_drain(FStream, &error) < 0) {
                qCDebug(lcSound) << "the sound server lost the cue:" << pa_strerror(error);
                Cut();
                return;
            }
            Finish();
            FRelease.start(kReleaseAfterIdle);
        } else {
            const TWaveImage wave{cue.Format, std::as_bytes(std::span(cue.Samples))};
            FRelease.start(std::chrono::ceil<std::chrono::milliseconds>(wave.Duration()) +
                           kReleaseAfterIdle);
        }
    }

private:
    void Finish() {
        if (const TSoundOutput::TFinished finished = std::exchange(FFinished, nullptr)) finished();
    }

    // Silences the clip sounding, if any, and tells its waiter.
    void Cut() {
        FRelease.stop();
        // Closes without waiting for an answer, so a server that hangs
        // holds up no cut.
        if (FStream) pa_simple_free(std::exchange(FStream, nullptr));
        Finish();
    }

    QByteArray FClientName;
    pa_simple* FStream = nullptr;
    TSoundOutput::TFinished FFinished;
    QTimer FRelease{this};
};

// A thread left held at the end must not meet the teardown of what it holds
// (which could wait on it, or free what it is still using): the process
// then ends at exit before that teardown, with the status it exits with.
// Registered late, so it runs before the teardown registered earlier.
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
        : QObject(parent), FOutput([name = QCoreApplication::applicationName().toUtf8()] {
              return std::make_unique<TPulseSink>(name);
          }) {}
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
