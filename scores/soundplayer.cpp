// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/soundplayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <deque>
#include <memory>
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

// The default audio output through Qt Multimedia. A sink is made per clip,
// since the clips differ in format, and kept after the clip has been handed
// over so the device can play out what it has buffered, then released.
class TQtSoundOutput final : public QObject, public TSoundOutput {
public:
    explicit TQtSoundOutput(QObject* parent) : QObject(parent) {
        FRelease.setSingleShot(true);
        FRelease.setInterval(kReleaseAfterIdle);
        connect(&FRelease, &QTimer::timeout, this, &TQtSoundOutput::Cut);
    }
    ~TQtSoundOutput() override { Cut(); }

    void Start(const TWaveImage& Wave, TFinished Finished) override {
        Cut();
        FFinished = std::move(Finished);

        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            qCDebug(lcSound) << "no audio output device; cue not heard";
            Finish();
            return;
        }
        QAudioFormat format;
        format.setSampleRate(static_cast<int>(Wave.Format.SampleRate));
        format.setChannelCount(Wave.Format.Channels);
        format.setSampleFormat(Wave.Format.BitsPerSample == 8 ? QAudioFormat::UInt8
                                                              : QAudioFormat::Int16);

        FBuffer = new QBuffer(this);
        FBuffer->setData(reinterpret_cast<const char*>(Wave.Samples.data()),
                         static_cast<qsizetype>(Wave.Samples.size()));
        FBuffer->open(QIODevice::ReadOnly);
        FSink = new QAudioSink(device, format, this);
        connect(FSink, &QAudioSink::stateChanged, this, &TQtSoundOutput::StateChanged);
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
        if (!FFinished) return;
        const TFinished finished = std::move(FFinished);
        FFinished = nullptr;
        finished();
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
    TFinished FFinished;
    QTimer FRelease;
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

void WaitForClip(TSoundOutput& output, const TWaveImage& wave) {
    const auto length = std::chrono::ceil<std::chrono::milliseconds>(wave.Duration());
    if (!QCoreApplication::instance()) {
        output.Start(wave, {});
        std::this_thread::sleep_for(length);
        return;
    }
    // Shared with the output's callback, which may come after this wait is over.
    struct TWait {
        bool Finished = false;
        bool LengthPassed = false;
        QEventLoop* Loop = nullptr;
    };
    const auto wait = std::make_shared<TWait>();
    QEventLoop loop;
    wait->Loop = &loop;
    output.Start(wave, [wait] {
        wait->Finished = true;
        if (wait->LengthPassed && wait->Loop) wait->Loop->quit();
    });
    QTimer::singleShot(length, &loop, [wait] {
        wait->LengthPassed = true;
        if (wait->Finished) wait->Loop->quit();
    });
    QTimer::singleShot(length + kFinishSlack, &loop, &QEventLoop::quit);
    // The keys pressed meanwhile are delivered after the clip, not during it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    wait->Loop = nullptr;
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
