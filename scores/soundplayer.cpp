// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/soundplayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
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
#include <deque>
#include <memory>
#include <mutex>
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

// Plays one clip at a time through Qt Multimedia. It lives on the sound
// thread, so a clip goes on sounding while the user-interface thread is
// held by a waiting cue. A sink is made per clip, since the clips differ in
// format, and kept after the clip has been handed over so the device can
// play out what it has buffered, then released.
class TQtSoundPlayer final : public QObject {
public:
    TQtSoundPlayer() {
        FRelease.setSingleShot(true);
        FRelease.setInterval(kReleaseAfterIdle);
        connect(&FRelease, &QTimer::timeout, this, &TQtSoundPlayer::Cut);
    }
    ~TQtSoundPlayer() override { Cut(); }

    void Play(const QAudioDevice& device, const QAudioFormat& format, const QByteArray& samples,
              TSoundOutput::TFinished finished) {
        Cut();
        FFinished = std::move(finished);
        FBuffer = new QBuffer(this);
        FBuffer->setData(samples);
        FBuffer->open(QIODevice::ReadOnly);
        FSink = new QAudioSink(device, format, this);
        connect(FSink, &QAudioSink::stateChanged, this, &TQtSoundPlayer::StateChanged);
        FSink->start(FBuffer);
        if (FSink->error() != QAudio::NoError) {
            qCDebug(lcSound) << "audio output refused the cue:" << FSink->error();
            Finish();
        }
    }

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
    QTimer FRelease{this}; // a child, so it moves to the sound thread too
};

// The default audio output: hands each clip to the player on the sound
// thread, in the order the cues come. Owned by the application, so the
// thread ends before the audio system goes.
class TQtSoundOutput final : public QObject, public TSoundOutput {
public:
    explicit TQtSoundOutput(QObject* parent) : QObject(parent), FPlayer(new TQtSoundPlayer) {
        FThread.setObjectName(QStringLiteral("sound"));
        FPlayer->moveToThread(&FThread);
        // The player goes on its own thread, as the thread ends: while the
        // application is being torn down nothing can be posted to it.
        connect(
            &FThread, &QThread::finished, FPlayer, [player = FPlayer] { delete player; },
            Qt::DirectConnection);
        FThread.start();
    }
    ~TQtSoundOutput() override {
        FThread.quit();
        FThread.wait();
    }

    void Start(const TWaveImage& Wave, TFinished Finished) override {
        // Asked here: the media backend is set up on the user-interface thread.
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            qCDebug(lcSound) << "no audio output device; cue not heard";
            if (Finished) Finished();
            return;
        }
        QAudioFormat format;
        format.setSampleRate(static_cast<int>(Wave.Format.SampleRate));
        format.setChannelCount(Wave.Format.Channels);
        format.setSampleFormat(Wave.Format.BitsPerSample == 8 ? QAudioFormat::UInt8
                                                              : QAudioFormat::Int16);
        QByteArray samples(reinterpret_cast<const char*>(Wave.Samples.data()),
                           static_cast<qsizetype>(Wave.Samples.size()));
        QMetaObject::invokeMethod(
            FPlayer,
            [player = FPlayer, device, format, samples = std::move(samples),
             finished = std::move(Finished)]() mutable {
                player->Play(device, format, samples, std::move(finished));
            },
            Qt::QueuedConnection);
    }

private:
    QThread FThread;
    TQtSoundPlayer* FPlayer;
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
    // Owned by the application, so it goes before the audio system does.
    static QPointer<TQtSoundOutput> qtOutput;
    if (!qtOutput) qtOutput = new TQtSoundOutput(app);
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
