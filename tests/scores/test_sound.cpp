// SPDX-License-Identifier: GPL-3.0-or-later
// The sound cues. "seam" (the default) drives PlayWave against a recording
// output, the silent headless one and sinks that hang or fail; "nodevice"
// against a sound server that is not there; "silent" against one that never
// answers; "pulse" plays the cues through the sound server's client library
// into a private PulseAudio null sink and records what arrived.
#include "scores/form2.h"
#include "scores/soundplayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <future>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <vector>

using namespace Tolvane;

namespace {

constexpr int kSlackMs = 1000; // how long a waiter may be held past the clip for a late device

// How long a cue held the caller: waited for, or (`wait` false) until it returned.
qint64 WaitedMs(const QString& name, bool wait = true) {
    QElapsedTimer clock;
    clock.start();
    TForm2::PlayWave(name, wait);
    return clock.elapsed();
}

// Records what is started instead of playing it, and says the clip is over
// when told to. A late end comes from a thread of its own, as a real
// device's would, since a waiting cue holds the test's thread.
class TRecordingOutput final : public TSoundOutput {
public:
    enum class TEnd { AtOnce, Late, Never };

    explicit TRecordingOutput(TEnd end = TEnd::AtOnce, int lateMs = 0)
        : FEnd(end), FLateMs(lateMs) {
        FPrevious = SetSoundOutput(this);
    }
    ~TRecordingOutput() override {
        if (FLate.joinable()) FLate.join();
        SetSoundOutput(FPrevious);
    }

    void Start(const TWaveImage& Wave, TFinished Finished) override {
        if (FLate.joinable()) FLate.join();
        EndPending(); // cut off
        Started.push_back({Wave.Format, Wave.Samples.size()});
        {
            const std::lock_guard lock(FLock);
            FPending = std::move(Finished);
        }
        if (FEnd == TEnd::AtOnce) EndPending();
        if (FEnd == TEnd::Late)
            FLate = std::thread([this] {
                std::this_thread::sleep_for(std::chrono::milliseconds(FLateMs));
                EndPending();
            });
    }

    struct TStarted {
        TWaveFormat Format;
        std::size_t Bytes;
    };
    std::vector<TStarted> Started;

private:
    void EndPending() {
        TFinished finished;
        {
            const std::lock_guard lock(FLock);
            finished = std::exchange(FPending, nullptr);
        }
        if (finished) finished();
    }

    TEnd FEnd;
    int FLateMs;
    std::thread FLate;
    std::mutex FLock;
    TFinished FPending;
    TSoundOutput* FPrevious = nullptr;
};

// Sinks that block in Play until let go, as connecting to a sound server
// that hangs does, and count what they are given. The first
// may fail after its play, as one whose server died.
class TBlockingSinks {
public:
    explicit TBlockingSinks(bool blocking, bool firstFails = false)
        : FBlocking(blocking), FFirstFails(firstFails) {}
    ~TBlockingSinks() { LetGo(); }

    TSoundSinkFactory Factory() {
        return [this] { return std::make_unique<TSink>(*this, ++Made == 1 && FFirstFails); };
    }
    void LetGo() {
        {
            const std::lock_guard lock(FLock);
            FBlocking = false;
        }
        FChanged.notify_all();
    }

    std::atomic<int> Made = 0;
    std::atomic<int> Played = 0;
    std::atomic<int> Destroyed = 0;
    // The size of the second cue played.
    std::atomic<std::size_t> SecondBytes = 0;

private:
    class TSink final : public TSoundSink {
    public:
        TSink(TBlockingSinks& sinks, bool fails) : FSinks(sinks), FFails(fails) {}
        ~TSink() override { ++FSinks.Destroyed; }
        void Play(const TSoundCue& cue, TSoundOutput::TFinished finished) override {
            if (++FSinks.Played == 2) FSinks.SecondBytes = std::size_t(cue.Samples.size());
            std::unique_lock lock(FSinks.FLock);
            FSinks.FChanged.wait(lock, [this] { return !FSinks.FBlocking; });
            FFailed = FFails;
            if (finished) finished();
        }
        bool Failed() const override { return FFailed; }

    private:
        TBlockingSinks& FSinks;
        bool FFails;
        bool FFailed = false;
    };

    std::mutex FLock;
    std::condition_variable FChanged;
    bool FBlocking;
    bool FFirstFails;
};

// Installs an output for its lifetime.
class TInstalled {
public:
    explicit TInstalled(TSoundOutput& output) : FPrevious(SetSoundOutput(&output)) {}
    ~TInstalled() { SetSoundOutput(FPrevious); }
    TInstalled(const TInstalled&) = delete;
    TInstalled& operator=(const TInstalled&) = delete;

private:
    TSoundOutput* FPrevious;
};

} // namespace

class TSoundSeamTest : public QObject {
    Q_OBJECT

private slots:
    void namesMatchWithoutRegardToCase_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("rate");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("bytes");
        QTest::newRow("zari") << "zari" << 11025u << 16 << 3202;
        QTest::newRow("ZARI") << "ZARI" << 11025u << 16 << 3202;
        QTest::newRow("step") << "step" << 11025u << 8 << 264;
        QTest::newRow("STEP") << "STEP" << 11025u << 8 << 264;
        QTest::newRow("Energy") << "Energy" << 8402u << 8 << 1658;
        QTest::newRow("ERROR") << "ERROR" << 6741u << 8 << 4096;
        QTest::newRow("eXiT") << "eXiT" << 14925u << 8 << 11928;
    }
    void namesMatchWithoutRegardToCase() {
        QFETCH(QString, name);
        QFETCH(uint, rate);
        QFETCH(int, bits);
        QFETCH(int, bytes);
        TRecordingOutput output;
        TForm2::PlayWave(name, false);
        QCOMPARE(output.Started.size(), std::size_t(1));
        QCOMPARE(output.Started[0].Format, (TWaveFormat{1, rate, std::uint16_t(bits)}));
        QCOMPARE(int(output.Started[0].Bytes), bytes);
    }

    void unknownNamesRaiseResourceNotFound_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("prefix") << "zar";
        QTest::newRow("trailing space") << "ZARI ";
        QTest::newRow("with suffix") << "ZARI.wav";
        QTest::newRow("resource path") << ":/sounds/ZARI.wav";
        QTest::newRow("relative path") << "../sounds/ZARI";
        QTest::newRow("other name") << "BEEP";
    }
    void unknownNamesRaiseResourceNotFound() {
        QFETCH(QString, name);
        TRecordingOutput output;
        try {
            TForm2::PlayWave(name, true);
            QFAIL("no exception");
        } catch (const std::runtime_error& e) {
            QVERIFY(dynamic_cast<const TResourceNotFound*>(&e));
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Resource not found"));
        }
        QVERIFY(output.Started.empty());
    }

    void cueWithoutWaitReturnsAtOnce() {
        TRecordingOutput output(TRecordingOutput::TEnd::Never);
        QElapsedTimer clock;
        clock.start();
        TForm2::PlayWave("EXIT", false);
        TForm2::PlayWave("ERROR", false);
        // EXIT alone lasts 799 ms.
        QVERIFY2(clock.elapsed() < 400, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(output.Started.size(), std::size_t(2));
    }

    // The caller is held for the clip's length even when the device is done
    // at once, for as long as a late device takes, but not forever.
    void waitingCueHoldsCallerForItsLength_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("lateMs");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        const int atOnce = int(TRecordingOutput::TEnd::AtOnce);
        const int late = int(TRecordingOutput::TEnd::Late);
        const int never = int(TRecordingOutput::TEnd::Never);
        QTest::newRow("ENERGY done at once") << "ENERGY" << atOnce << 0 << 197 << 197 + 500;
        QTest::newRow("zari done at once") << "zari" << atOnce << 0 << 145 << 145 + 500;
        QTest::newRow("ENERGY done early") << "ENERGY" << late << 50 << 197 << 197 + 500;
        QTest::newRow("ENERGY done late") << "ENERGY" << late << 500 << 500 << 500 + 500;
        QTest::newRow("ENERGY never done")
            << "ENERGY" << never << 0 << 197 + kSlackMs << 197 + kSlackMs + 1000;
    }
    void waitingCueHoldsCallerForItsLength() {
        QFETCH(QString, name);
        QFETCH(int, end);
        QFETCH(int, lateMs);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        TRecordingOutput output(TRecordingOutput::TEnd(end), lateMs);
        const qint64 waited = WaitedMs(name);
        // A timer may fire up to a millisecond early.
        QVERIFY2(waited >= minMs - 1 && waited <= maxMs, qPrintable(QString::number(waited)));
        QCOMPARE(output.Started.size(), std::size_t(1));
    }

    // Play stands still during a waited cue: a timer due meanwhile, such as
    // the fall of a piece, fires only after it, and the cue it asks for
    // then cuts nothing short.
    void timersWaitWhileACueIsWaitedFor() {
        TRecordingOutput output(TRecordingOutput::TEnd::Never);
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            if (++ticks == 1) TForm2::PlayWave("step", false);
        });
        ticker.start(20);
        const qint64 waited = WaitedMs("EXIT");
        QVERIFY2(waited >= 798 && waited < 799 + kSlackMs + 200,
                 qPrintable(QString::number(waited)));
        QCOMPARE(ticks, 0);
        QCOMPARE(output.Started.size(), std::size_t(1));
        QTRY_VERIFY(ticks >= 1);
        QCOMPARE(output.Started.size(), std::size_t(2));
    }

    // The sink hangs in its start, as with a sound server stopped: no cue
    // waits for it beyond its own length, later cues are not queued behind
    // it, and closing waits a bounded time. Once it returns, the cues held
    // up meanwhile are dropped, not heard late, and the next cue sounds.
    void hungSinkHoldsUpNeitherCuesNorTheClose_data() {
        QTest::addColumn<bool>("closedWhileHung");
        QTest::newRow("closed while hung") << true;
        QTest::newRow("comes back") << false;
    }
    void hungSinkHoldsUpNeitherCuesNorTheClose() {
        QFETCH(bool, closedWhileHung);
        TBlockingSinks sinks(true);
        auto output = std::make_unique<TThreadedSoundOutput>(sinks.Factory());
        auto installed = std::make_unique<TInstalled>(*output);
        QVERIFY2(WaitedMs("EXIT", false) < 1000, "a cue waited for the sink");
        QTRY_COMPARE(sinks.Played, 1);
        const qint64 waited = WaitedMs("ENERGY");
        QVERIFY2(waited >= 196 && waited <= 197 + kSlackMs + 500,
                 qPrintable(QString::number(waited)));
        QTest::qWait(int(TThreadedSoundOutput::kStartLimit.count()) + 100);
        for (const char* name : {"zari", "STEP", "ERROR"})
            QVERIFY2(WaitedMs(name, false) < 1000, name);
        // Not heard, so not waited for past its length.
        const qint64 unheard = WaitedMs("ENERGY");
        QVERIFY2(unheard >= 196 && unheard <= 197 + 500, qPrintable(QString::number(unheard)));
        QCOMPARE(sinks.Played, 1);

        if (closedWhileHung) {
            installed.reset();
            // Closed on a thread of its own, so that a close that waits for
            // ever fails the test instead of hanging it.
            std::promise<void> closed;
            std::thread closer([&] {
                output.reset();
                closed.set_value();
            });
            const bool inTime =
                closed.get_future().wait_for(std::chrono::seconds(5)) == std::future_status::ready;
            sinks.LetGo();
            closer.join();
            QVERIFY2(inTime, "closing waited more than 5 s for the hung sound thread");
            // The thread left behind ends once let go, and frees its sink.
            QTRY_COMPARE(sinks.Destroyed, 1);
            return;
        }
        sinks.LetGo();
        // Once the start has returned, a cue sounds again: STEP, not the
        // ENERGY that was waiting for the sink all along.
        const auto cueSounds = [&sinks] {
            TForm2::PlayWave(QStringLiteral("STEP"), false);
            return sinks.Played >= 2;
        };
        QTRY_VERIFY(cueSounds());
        QCOMPARE(sinks.SecondBytes, std::size_t(264));
        installed.reset();
        output.reset();
        QCOMPARE(sinks.Destroyed, 1);
    }

    // A sink whose device failed is replaced by a fresh one for a later cue,
    // made again on the sound thread.
    void failedSinkIsReplacedForALaterCue() {
        TBlockingSinks sinks(false, true);
        auto output = std::make_unique<TThreadedSoundOutput>(sinks.Factory());
        TInstalled installed(*output);
        for (const char* name : {"EXIT", "STEP", "zari"}) {
            const int played = sinks.Played;
            TForm2::PlayWave(QLatin1String(name), false);
            QTRY_COMPARE(sinks.Played, played + 1);
        }
        QCOMPARE(sinks.Made, 2);
        QCOMPARE(sinks.Destroyed, 1);
    }

    // No installed output: a headless run with no sound server named keeps
    // the cue's time and returns without looking for a device.
    void headlessRunWithoutServerKeepsTime() {
        QVERIFY(!qEnvironmentVariableIsSet("PULSE_SERVER"));
        const qint64 waited = WaitedMs("ENERGY");
        QVERIFY2(waited >= 196 && waited <= 197 + 500, qPrintable(QString::number(waited)));
        QElapsedTimer clock;
        clock.start();
        TForm2::PlayWave("EXIT", false);
        QVERIFY2(clock.elapsed() < 400, qPrintable(QString::number(clock.elapsed())));
    }
};

namespace {

// Records the null sink's monitor: 16-bit mono at 44100 Hz.
class TMonitorRecording {
public:
    static constexpr int kRate = 44100;
    static constexpr int kThreshold = 600; // about 2 % of full scale: not silence

    explicit TMonitorRecording(const QString& monitor) {
        FParec.setProgram(QStringLiteral("parec"));
        FParec.setArguments({QStringLiteral("--device=") + monitor, QStringLiteral("--raw"),
                             QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
                             QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=10")});
        FParec.start();
        // The record stream takes a second or two to connect; nothing may
        // play before it delivers.
        QElapsedTimer clock;
        clock.start();
        if (FParec.waitForStarted(5000))
            while (FParec.bytesAvailable() == 0 && clock.elapsed() < 15000) QTest::qWait(20);
        Started = FParec.bytesAvailable() > 0;
    }
    ~TMonitorRecording() {
        if (FParec.state() != QProcess::NotRunning) {
            FParec.kill();
            FParec.waitForFinished(5000);
        }
    }

    // Stops recording after a pause for the tail, and measures the sound.
    void Stop() {
        QTest::qWait(400);
        FParec.terminate();
        FParec.waitForFinished(5000);
        const QByteArray raw = FParec.readAllStandardOutput();
        std::vector<std::int16_t> samples(std::size_t(raw.size()) / 2);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = std::int16_t(quint8(raw[qsizetype(2 * i)]) |
                                      quint8(raw[qsizetype(2 * i + 1)]) << 8);
        RecordedMs = int(samples.size() * 1000 / kRate);
        std::size_t first = samples.size();
        std::size_t last = 0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (std::abs(int(samples[i])) > kThreshold) {
                first = std::min(first, i);
                last = i;
                ++Loud;
            }
        }
        SoundMs = first < samples.size() ? int((last - first) * 1000 / kRate) : 0;
    }

    QString Describe() const {
        return QStringLiteral("sound %1 ms, %2 loud samples, in %3 ms recorded")
            .arg(SoundMs)
            .arg(Loud)
            .arg(RecordedMs);
    }

    bool Started = false;
    int SoundMs = 0; // from the first loud sample to the last
    int Loud = 0;    // loud samples in all
    int RecordedMs = 0;

private:
    QProcess FParec;
};

QString Monitor() {
    return qEnvironmentVariable("PULSE_MONITOR");
}

} // namespace

namespace {

// Starts the private server and exports what clients need; false with the reason.
bool StartPulseServer(const QString& dir, QString& reason) {
    QProcess script;
    script.start(QStringLiteral(TOLVANE_PULSE_NULL_SCRIPT), {QStringLiteral("start"), dir});
    if (!script.waitForFinished(30000) || script.exitStatus() != QProcess::NormalExit ||
        script.exitCode() != 0) {
        reason = QString::fromLocal8Bit(script.readAllStandardError()).trimmed();
        if (reason.isEmpty()) reason = script.errorString();
        return false;
    }
    const QStringList lines =
        QString::fromLocal8Bit(script.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            qputenv(line.left(eq).toLocal8Bit().constData(), line.mid(eq + 1).toLocal8Bit());
    }
    if (!qEnvironmentVariableIsSet("PULSE_SERVER") || Monitor().isEmpty()) {
        reason = QStringLiteral("the server script printed no PULSE_SERVER/PULSE_MONITOR");
        return false;
    }
    return true;
}

void StopPulseServer(const QString& dir) {
    QProcess::execute(QStringLiteral(TOLVANE_PULSE_NULL_SCRIPT), {QStringLiteral("stop"), dir});
}

} // namespace

class TSoundPulseTest : public QObject {
    Q_OBJECT

public:
    explicit TSoundPulseTest(QString serverDir) : FServerDir(std::move(serverDir)) {}

private slots:
    void eachCueArrivesForAboutItsLength_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lengthMs");
        QTest::newRow("ENERGY") << "ENERGY" << 197;
        QTest::newRow("ERROR") << "ERROR" << 608;
        QTest::newRow("EXIT") << "EXIT" << 799;
        QTest::newRow("STEP") << "STEP" << 24;
        QTest::newRow("zari") << "zari" << 145;
    }
    void eachCueArrivesForAboutItsLength() {
        QFETCH(QString, name);
        QFETCH(int, lengthMs);
        TMonitorRecording recording(Monitor());
        QVERIFY2(recording.Started, "the monitor recording delivered nothing");
        TForm2::PlayWave(name, false);
        QTest::qWait(lengthMs + 300);
        recording.Stop();
        qInfo("%s: %s", qPrintable(name), qPrintable(recording.Describe()));
        QVERIFY2(recording.SoundMs >= lengthMs * 7 / 10 - 10 &&
                     recording.SoundMs <= lengthMs * 13 / 10 + 60,
                 qPrintable(recording.Describe()));
        // Sound most of the time, not a click at each end.
        QVERIFY2(recording.Loud > TMonitorRecording::kRate * lengthMs / 1000 / 4,
                 qPrintable(recording.Describe()));
    }

    void aSecondCueCutsTheFirstShort() {
        TMonitorRecording recording(Monitor());
        QVERIFY2(recording.Started, "the monitor recording delivered nothing");
        TForm2::PlayWave("EXIT", false);
        QTest::qWait(200);
        TForm2::PlayWave("STEP", false);
        QTest::qWait(1000);
        recording.Stop();
        qInfo("EXIT cut by STEP: %s", qPrintable(recording.Describe()));
        // Whole, EXIT alone would sound for 799 ms.
        QVERIFY2(recording.SoundMs >= 100 && recording.SoundMs <= 550,
                 qPrintable(recording.Describe()));
    }

    void waitingCueHoldsCallerForItsLength() {
        TMonitorRecording recording(Monitor());
        QVERIFY2(recording.Started, "the monitor recording delivered nothing");
        const qint64 waited = WaitedMs("ENERGY");
        recording.Stop();
        qInfo("ENERGY waited %lld ms: %s", waited, qPrintable(recording.Describe()));
        QVERIFY2(waited >= 196 && waited <= 197 + 800, qPrintable(QString::number(waited)));
        QVERIFY2(recording.SoundMs >= 120 && recording.SoundMs <= 320,
                 qPrintable(recording.Describe()));
    }

    // The server dies in the middle of a waited cue and of a free-running
    // one: the wait ends within a second past the clip, play goes on, and
    // once a server is back the cues sound again, also after a long gap
    // (a player that reconnects by itself once, after 3 s, has given up)
    // in which the cues keep time unheard.
    void aServerThatDiesAndReturnsCostsNoMoreThanSilence_data() {
        QTest::addColumn<int>("goneMs");
        QTest::newRow("back at once") << 0;
        QTest::newRow("gone for 12 s") << 12000;
    }
    void aServerThatDiesAndReturnsCostsNoMoreThanSilence() {
        QFETCH(int, goneMs);
        const QString pidFile = FServerDir + QStringLiteral("/server.pid");
        const auto killServer = [pidFile] {
            QFile file(pidFile);
            if (file.open(QIODevice::ReadOnly)) ::kill(file.readAll().trimmed().toInt(), SIGKILL);
        };
        std::thread killer([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
            killServer();
        });
        const qint64 waited = WaitedMs("EXIT"); // 799 ms
        killer.join();
        qInfo("EXIT waited %lld ms with the server killed at 250 ms", waited);
        QVERIFY2(waited >= 798 && waited <= 799 + 1000, qPrintable(QString::number(waited)));

        QVERIFY(StartPulseServer(FServerDir, FReason));
        TForm2::PlayWave("ERROR", false);
        QTest::qWait(200);
        killServer();
        QElapsedTimer clock;
        clock.start();
        TForm2::PlayWave("zari", false);
        QTest::qWait(700);
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));

        QElapsedTimer gone;
        gone.start();
        int asked = 0;
        while (gone.elapsed() < goneMs) {
            QVERIFY2(WaitedMs("STEP", false) < 1000, "a cue waited for the missing server");
            const qint64 unheard = WaitedMs("ENERGY");
            QVERIFY2(unheard >= 196 && unheard <= 197 + kSlackMs + 300,
                     qPrintable(QString::number(unheard)));
            asked += 2;
            QTest::qWait(500);
        }
        if (goneMs > 0)
            qInfo("%d cues asked for in %lld ms without a server", asked, gone.elapsed());

        QVERIFY2(StartPulseServer(FServerDir, FReason), qPrintable(FReason));
        bool heard = false;
        QElapsedTimer again;
        again.start();
        // The player finds the new server at one of its next cues.
        while (!heard && again.elapsed() < 20000) {
            TMonitorRecording recording(Monitor());
            QVERIFY2(recording.Started, "the monitor recording delivered nothing");
            TForm2::PlayWave("EXIT", false);
            QTest::qWait(1000);
            recording.Stop();
            qInfo("after the server's return: %s", qPrintable(recording.Describe()));
            heard = recording.SoundMs > 400;
        }
        QVERIFY2(heard, "no cue was heard after the server came back");
    }

    // Runs last: the server goes away under a player that has used it.
    void cueIsSilentButKeepsTimeOnceTheServerHasGone() {
        StopPulseServer(FServerDir);
        const qint64 waited = WaitedMs("ENERGY");
        qInfo("ENERGY waited %lld ms with the server gone", waited);
        QVERIFY2(waited >= 196 && waited <= 197 + kSlackMs + 300,
                 qPrintable(QString::number(waited)));
        QElapsedTimer clock;
        clock.start();
        TForm2::PlayWave("EXIT", false);
        TForm2::PlayWave("zari", false);
        QVERIFY2(clock.elapsed() < 400, qPrintable(QString::number(clock.elapsed())));
    }

private:
    QString FServerDir;
    QString FReason;
};

// PULSE_SERVER names a socket nobody listens on: the player finds no device.
class TSoundNoDeviceTest : public QObject {
    Q_OBJECT

private slots:
    void cuesAreSilentButKeepTime() {
        const qint64 waited = WaitedMs("ENERGY");
        qInfo("ENERGY waited %lld ms without a device", waited);
        QVERIFY2(waited >= 196 && waited <= 197 + 500, qPrintable(QString::number(waited)));
        QElapsedTimer clock;
        clock.start();
        TForm2::PlayWave("EXIT", false);
        TForm2::PlayWave("ERROR", false);
        QVERIFY2(clock.elapsed() < 400, qPrintable(QString::number(clock.elapsed())));
    }

    void missingCueIsStillReportedWithoutADevice() {
        QVERIFY_THROWS_EXCEPTION(TResourceNotFound, TForm2::PlayWave("nothing", false));
    }
};

// PULSE_SERVER names a server that takes the connection and never answers:
// connecting to it waits (libpulse gives up after 30 s), but no cue does,
// and the program still ends at once.
class TSoundSilentServerTest : public QObject {
    Q_OBJECT

private slots:
    void cuesReturnAtOnce() {
        QElapsedTimer clock;
        clock.start();
        TForm2::PlayWave("zari", false);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        const qint64 waited = WaitedMs("ENERGY");
        qInfo("zari returned in %lld ms, ENERGY waited %lld ms", clock.elapsed() - waited, waited);
        QVERIFY2(waited >= 196 && waited <= 197 + kSlackMs + 500,
                 qPrintable(QString::number(waited)));
        QVERIFY(WaitedMs("EXIT", false) < 1000);
    }
};

// A socket on the loopback that takes connections and never answers them.
int SilentListener(QByteArray& address) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof where;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&where), length) != 0 ||
        ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&where), &length) != 0)
        return -1;
    address = "tcp:127.0.0.1:" + QByteArray::number(ntohs(where.sin_port));
    return fd;
}

// The exit code ctest counts as skipped.
constexpr int kSkipped = 77;

int main(int argc, char** argv) {
    // The first argument picks the group: seam (the default), nodevice,
    // silent or pulse; the rest goes to QtTest.
    std::string group = "seam";
    if (argc > 1 && (std::strcmp(argv[1], "seam") == 0 || std::strcmp(argv[1], "nodevice") == 0 ||
                     std::strcmp(argv[1], "silent") == 0 || std::strcmp(argv[1], "pulse") == 0)) {
        group = argv[1];
        for (int i = 1; i + 1 < argc; ++i) argv[i] = argv[i + 1];
        --argc;
    }
    // Before the first cue, which reads it.
    QTemporaryDir dir;
    if (group == "seam") qunsetenv("PULSE_SERVER");
    if (group == "nodevice")
        qputenv("PULSE_SERVER", ("unix:" + dir.filePath(QStringLiteral("nobody"))).toLocal8Bit());
    if (group == "silent") {
        QByteArray address;
        if (SilentListener(address) < 0) {
            std::perror("listening socket");
            return 1;
        }
        qputenv("PULSE_SERVER", address);
    }
    QApplication app(argc, argv);

    if (group == "seam") {
        TSoundSeamTest test;
        return QTest::qExec(&test, argc, argv);
    }
    if (group == "nodevice") {
        TSoundNoDeviceTest test;
        return QTest::qExec(&test, argc, argv);
    }
    if (group == "silent") {
        TSoundSilentServerTest test;
        return QTest::qExec(&test, argc, argv);
    }
    QString reason;
    if (!dir.isValid() || !StartPulseServer(dir.path(), reason)) {
        std::fprintf(stderr, "SKIPPED: no PulseAudio server could be started here: %s\n",
                     qPrintable(reason));
        return kSkipped;
    }
    TSoundPulseTest test(dir.path());
    const int result = QTest::qExec(&test, argc, argv);
    StopPulseServer(dir.path());
    return result;
}

#include "test_sound.moc"
