// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scoretable.h"
#include "tests/support/pipeguard.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <chrono>

using namespace Tolvane;

namespace {

TScoreTable TableOf(std::initializer_list<const char*> results) {
    TScoreTable table = DefaultScoreTable(QStringLiteral("0"));
    int place = 0;
    for (const char* result : results) {
        table.Names[place] = QStringLiteral("P%1").arg(place + 1);
        table.Results[place++] = QLatin1String(result);
    }
    return table;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestScoreTable : public QObject {
    Q_OBJECT
private slots:
    void resultAcceptsOnlyDecimal32BitIntegers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("default moves") << "999999" << true << 999999;
        QTest::newRow("signed") << "-17" << true << -17;
        QTest::newRow("plus") << "+5" << true << 5;
        QTest::newRow("int max") << "2147483647" << true << 2147483647;
        QTest::newRow("int min") << "-2147483648" << true << int(INT32_MIN);
        QTest::newRow("one past max") << "2147483648" << false << 0;
        QTest::newRow("one past min") << "-2147483649" << false << 0;
        QTest::newRow("huge") << "99999999999999999999999" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("leading blank") << " 5" << false << 0;
        QTest::newRow("trailing blank") << "5 " << false << 0;
        QTest::newRow("hex") << "0x10" << false << 0;
        QTest::newRow("letters") << "12a" << false << 0;
        QTest::newRow("arabic digits") << QString::fromUtf8("\u0663") << false << 0;
    }
    void resultAcceptsOnlyDecimal32BitIntegers() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<std::int32_t> parsed = ParseResult(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid) QCOMPARE(*parsed, value);
    }

    void readerTakesTenLinesWhateverTheLineEnds_data() {
        QTest::addColumn<QByteArray>("separator");
        QTest::newRow("crlf") << QByteArray("\r\n");
        QTest::newRow("lf") << QByteArray("\n");
        QTest::newRow("cr") << QByteArray("\r");
    }
    void readerTakesTenLinesWhateverTheLineEnds() {
        QFETCH(QByteArray, separator);
        QByteArray bytes;
        for (int place = 1; place <= kScorePlaces; ++place)
            bytes += "Name " + QByteArray::number(place) + separator +
                     QByteArray::number(place * 10) + separator;
        bytes += "extra line ignored" + separator;
        const TScoreRead read = ParseScoreTable(bytes);
        QVERIFY2(read.Table.has_value(), qPrintable(read.Error));
        QCOMPARE(read.Table->Names[0], QStringLiteral("Name 1"));
        QCOMPARE(read.Table->Names[4], QStringLiteral("Name 5"));
        QCOMPARE(read.Table->Results[2], QStringLiteral("30"));
        QCOMPARE(read.Table->Results[4], QStringLiteral("50"));
    }

    void unreadableTableNamesTheOffendingText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray good = FormatScoreTable(DefaultScoreTable(QStringLiteral("0")));
        QTest::newRow("empty file") << QByteArray() << "'' is not a valid integer value";
        QTest::newRow("nine lines")
            << good.left(good.lastIndexOf("0\r\n")) << "'' is not a valid integer value";
        QByteArray bad = good;
        bad.replace(bad.indexOf("0\r\n"), 1, "1e5");
        QTest::newRow("bad first result") << bad << "'1e5' is not a valid integer value";
        QByteArray big = good;
        big.replace(big.lastIndexOf("0\r\n"), 1, "4294967296");
        QTest::newRow("out of range") << big << "'4294967296' is not a valid integer value";
    }
    void unreadableTableNamesTheOffendingText() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const TScoreRead read = ParseScoreTable(bytes);
        QVERIFY(!read.Table.has_value());
        QCOMPARE(read.Error, message);
    }

    void writtenTableIsTenCrLfLinesAndReadsBack() {
        TScoreTable table = TableOf({"500", "400", "300", "200", "100"});
        table.Names[1] = QStringLiteral("Zoë");
        const QByteArray bytes = FormatScoreTable(table);
        QCOMPARE(bytes.count("\r\n"), kScoreFileLines);
        QVERIFY(bytes.endsWith("100\r\n"));
        QCOMPARE(bytes.count('\n'), kScoreFileLines);
        const TScoreRead read = ParseScoreTable(bytes);
        QVERIFY(read.Table.has_value());
        QCOMPARE(read.Table->Names, table.Names);
        QCOMPARE(read.Table->Results, table.Results);
    }

    // A name typed or pasted with breaks would shift every later line.
    void namesWithBreaksAndControlsStayOnOneLine() {
        TScoreTable table = DefaultScoreTable(QStringLiteral("0"));
        table.Names[0] = QStringLiteral("Eve\r\n42\nMallory\t\x01\u2028!");
        const QByteArray bytes = FormatScoreTable(table);
        QCOMPARE(bytes.count('\n'), kScoreFileLines);
        QCOMPARE(bytes.count('\r'), kScoreFileLines);
        const TScoreRead read = ParseScoreTable(bytes);
        QVERIFY(read.Table.has_value());
        QCOMPARE(read.Table->Names[0], QStringLiteral("Eve42Mallory!"));
        QCOMPARE(read.Table->Results[0], QStringLiteral("0"));
        QCOMPARE(read.Table->Names[1], QStringLiteral("Anonymous"));
    }

    void freshTableRefusesTheDefaultResult_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("qualifies");
        QTest::newRow("figures 999999") << "Figures" << 999999 << false;
        QTest::newRow("figures 1000000") << "Figures" << 1000000 << false;
        QTest::newRow("figures 999998") << "Figures" << 999998 << true;
        QTest::newRow("scramble 57") << "Scramble" << 57 << true;
        QTest::newRow("tetris 0") << "Tetris" << 0 << false;
        QTest::newRow("tetris 1") << "Tetris" << 1 << true;
        QTest::newRow("arcanoid 0") << "Arcanoid" << 0 << false;
    }
    void freshTableRefusesTheDefaultResult() {
        QFETCH(QString, game);
        QFETCH(int, result);
        QFETCH(bool, qualifies);
        const TScoreGame* kind = FindScoreGame(game);
        QVERIFY(kind != nullptr);
        const TScoreTable fresh = DefaultScoreTable(QLatin1String(kind->DefaultResult));
        QCOMPARE(BeatsStored(kind->Better, *ParseResult(fresh.Results[4]), result), qualifies);
        QCOMPARE(RankPlace(kind->Better, fresh, result) == 1, qualifies);
    }

    void rankPlacesAfterEqualResults_data() {
        QTest::addColumn<bool>("lowerIsBetter");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("place");
        // Moves 10, 20, 20, 40, 50; points 50, 40, 40, 20, 10.
        QTest::newRow("moves best") << true << 5 << 1;
        QTest::newRow("moves equal first") << true << 10 << 2;
        QTest::newRow("moves equal second") << true << 20 << 4;
        QTest::newRow("moves between") << true << 45 << 5;
        QTest::newRow("moves equal fifth") << true << 50 << 6;
        QTest::newRow("moves worse") << true << 51 << 6;
        QTest::newRow("points best") << false << 51 << 1;
        QTest::newRow("points equal first") << false << 50 << 2;
        QTest::newRow("points equal second") << false << 40 << 4;
        QTest::newRow("points equal fifth") << false << 10 << 6;
        QTest::newRow("points worse") << false << -3 << 6;
    }
    void rankPlacesAfterEqualResults() {
        QFETCH(bool, lowerIsBetter);
        QFETCH(int, result);
        QFETCH(int, place);
        const TScoreTable table = lowerIsBetter ? TableOf({"10", "20", "20", "40", "50"})
                                                : TableOf({"50", "40", "40", "20", "10"});
        QCOMPARE(RankPlace(lowerIsBetter ? TBetter::Lower : TBetter::Higher, table, result), place);
    }

    void insertShiftsDownAndDropsTheFifth() {
        TScoreTable table = TableOf({"10", "20", "30", "40", "50"});
        InsertEntry(table, 2, QStringLiteral("New"), QStringLiteral("15"));
        const std::array<QString, kScorePlaces> names = {"P1", "New", "P2", "P3", "P4"};
        const std::array<QString, kScorePlaces> results = {"10", "15", "20", "30", "40"};
        QCOMPARE(table.Names, names);
        QCOMPARE(table.Results, results);
        InsertEntry(table, 5, QStringLiteral("Last"), QStringLiteral("39"));
        QCOMPARE(table.Names[4], QStringLiteral("Last"));
        QCOMPARE(table.Names[3], QStringLiteral("P3"));
        const TScoreTable before = table;
        InsertEntry(table, 6, QStringLiteral("Nobody"), QStringLiteral("99"));
        QCOMPARE(table.Names, before.Names);
        QCOMPARE(table.Results, before.Results);
    }

    // A table written in a single-byte code page by an older program.
    void latin1NamesAreReadAndWrittenBackByteForByte() {
        const QByteArray file(
            "J\xF6rg\r\n90\r\nAnn\r\n80\r\nZo\xEB\r\n70\r\nB\xE9la\r\n60\r\nE\r\n50\r\n");
        const TScoreRead read = ParseScoreTable(file);
        QVERIFY(read.Table);
        QCOMPARE(read.Table->Names[0], QStringLiteral("J\u00F6rg"));
        QCOMPARE(read.Table->Names[1], QStringLiteral("Ann"));
        QCOMPARE(FormatScoreTable(*read.Table), file);

        // A new entry is UTF-8; the old names keep their bytes as they move down.
        TScoreTable table = *read.Table;
        InsertEntry(table, 2, QStringLiteral("\u00C5sa"), QStringLiteral("85"));
        QCOMPARE(FormatScoreTable(table), QByteArray("J\xF6rg\r\n90\r\n\xC3\x85sa\r\n85\r\nAnn\r\n8"
                                                     "0\r\nZo\xEB\r\n70\r\nB\xE9la\r\n60\r\n"));
    }

    void tablesOfTheOldFolderAreTakenOverOnce() {
        QTemporaryDir dir;
        const QString old = dir.filePath(QStringLiteral("Tolvane 1.47"));
        const QString now = dir.filePath(QStringLiteral("Tolvane"));
        QVERIFY(QDir().mkpath(old));
        QVERIFY(WriteScoreFile(old + "/tetris.ini", TableOf({"30"})).isEmpty());
        QVERIFY(WriteScoreFile(old + "/figures.ini", TableOf({"12"})).isEmpty());
        AdoptScoreTables(old, now);
        QCOMPARE(ReadAll(now + "/tetris.ini"), ReadAll(old + "/tetris.ini"));
        QCOMPARE(ReadAll(now + "/figures.ini"), ReadAll(old + "/figures.ini"));
        QVERIFY(QFile::exists(old + "/tetris.ini"));

        // Once the new folder has tables of its own, the old ones are left alone.
        QVERIFY(QFile::remove(now + "/figures.ini"));
        QVERIFY(WriteScoreFile(now + "/tetris.ini", TableOf({"99"})).isEmpty());
        AdoptScoreTables(old, now);
        QVERIFY(!QFile::exists(now + "/figures.ini"));
        QCOMPARE(ParseScoreTable(ReadAll(now + "/tetris.ini")).Table->Results[0], "99");
    }

    // A table cleared after the takeover stays cleared at the next start;
    // a new folder that already had tables never takes the old ones.
    void tablesOfTheOldFolderAreTakenOverOnlyOnce_data() {
        QTest::addColumn<bool>("newHasTables");
        QTest::newRow("new folder empty") << false;
        QTest::newRow("new folder with a table") << true;
    }
    void tablesOfTheOldFolderAreTakenOverOnlyOnce() {
        QFETCH(bool, newHasTables);
        QTemporaryDir dir;
        const QString old = dir.filePath(QStringLiteral("Tolvane 1.47"));
        const QString now = dir.filePath(QStringLiteral("Tolvane"));
        QVERIFY(QDir().mkpath(old) && QDir().mkpath(now));
        QVERIFY(WriteScoreFile(old + "/tetris.ini", TableOf({"30"})).isEmpty());
        if (newHasTables) QVERIFY(WriteScoreFile(now + "/arcanoid.ini", TableOf({"5"})).isEmpty());
        AdoptScoreTables(old, now);
        QCOMPARE(QFile::exists(now + "/tetris.ini"), !newHasTables);
        // Clear deletes the tables; the next start must not bring them back.
        QFile::remove(now + "/tetris.ini");
        QFile::remove(now + "/arcanoid.ini");
        AdoptScoreTables(old, now);
        QVERIFY(!QFile::exists(now + "/tetris.ini"));
        QVERIFY(QFile::exists(old + "/tetris.ini"));
    }

    // Named pipes where tables should be: opening one waits for a writer, so
    // each is refused without waiting, reported as a table that cannot be
    // read or written, and left as it is.
    void pipesInPlaceOfTablesAreRefusedWithoutWaiting() {
        QTemporaryDir dir;
        const QString old = dir.filePath(QStringLiteral("old"));
        const QString now = dir.filePath(QStringLiteral("now"));
        QVERIFY(QDir().mkpath(old) && QDir().mkpath(now));
        TPipeGuard table(now + "/tetris.ini");
        TPipeGuard oldTable(old + "/figures.ini");
        QVERIFY(table.Made() && oldTable.Made());
        QVERIFY(WriteScoreFile(old + "/scramble.ini", TableOf({"12"})).isEmpty());

        QCOMPARE(ReadScoreFile(now + "/tetris.ini").Error, "Cannot Open " + now + "/tetris.ini");
        QCOMPARE(OpenScoreFile(now + "/tetris.ini", "0").Error,
                 "Cannot Open " + now + "/tetris.ini");
        QCOMPARE(MergeScoreEntry(now + "/tetris.ini", TBetter::Higher, "Ann", "5").Error,
                 "Cannot Open " + now + "/tetris.ini");
        QCOMPARE(WriteScoreFile(now + "/tetris.ini", TableOf({"1"})),
                 "Cannot Create " + now + "/tetris.ini");
        QVERIFY(QFile::remove(now + "/tetris.ini"));
        AdoptScoreTables(old, now);
        QVERIFY(!QFileInfo::exists(now + "/figures.ini"));
        QCOMPARE(ReadAll(now + "/scramble.ini"), ReadAll(old + "/scramble.ini"));
        QVERIFY2(!table.Fired() && !oldTable.Fired(), "a pipe was opened and waited on");
        QVERIFY(QFileInfo(old + "/figures.ini").exists() &&
                !QFileInfo(old + "/figures.ini").isFile());
    }

    // Two copies of the program place their entries into one table at the
    // same moment, again and again: none is lost.
    void entriesOfTwoCopiesAtOnceAreAllKept() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("tetris.ini"));
        QProcess copies[2];
        for (int i = 0; i < 2; ++i) {
            copies[i].start(QStringLiteral(TOLVANE_TABLEWRITER_CHILD),
                            {"merge", path, i == 0 ? "Ann" : "Bob"});
            QVERIFY(copies[i].waitForStarted());
        }
        constexpr int kRounds = 20;
        int lost = 0;
        for (int round = 0; round < kRounds; ++round) {
            QVERIFY(WriteScoreFile(path, DefaultScoreTable(QStringLiteral("0"))).isEmpty());
            const auto start = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
            const QByteArray go =
                "go " +
                QByteArray::number(qint64(start.time_since_epoch() / std::chrono::nanoseconds(1))) +
                "\n";
            for (QProcess& copy : copies) {
                copy.write(go);
                QVERIFY(copy.waitForBytesWritten(10000));
            }
            for (QProcess& copy : copies) {
                while (!copy.canReadLine())
                    QVERIFY2(copy.waitForReadyRead(10000), copy.readAllStandardError().constData());
                QCOMPARE(copy.readLine(), QByteArray("done\n"));
            }
            const TScoreRead read = ReadScoreFile(path);
            QVERIFY2(read.Table, qPrintable(read.Error));
            const QStringList names(read.Table->Names.begin(), read.Table->Names.end());
            for (const char* name : {"Ann-1", "Ann-2", "Bob-1", "Bob-2"})
                if (!names.contains(QLatin1String(name))) ++lost;
        }
        for (QProcess& copy : copies) {
            copy.closeWriteChannel();
            QVERIFY(copy.waitForFinished(10000));
            QCOMPARE(copy.exitCode(), 0);
        }
        QCOMPARE(lost, 0);
    }

    void fileErrorsAreReportedNotSwallowed() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("tetris.ini"));
        QVERIFY(!ReadScoreFile(path).Table.has_value());
        QCOMPARE(ReadScoreFile(path).Error, QStringLiteral("Cannot Open ") + path);
        // A directory where the table should be: root can write anywhere,
        // but not turn a directory into a file.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tetris.ini")));
        QVERIFY(!ReadScoreFile(path).Table.has_value());
        QVERIFY(!WriteScoreFile(path, DefaultScoreTable(QStringLiteral("0"))).isEmpty());
        QVERIFY(QFileInfo(path).isDir());
    }

    // The writer replaces the table as a whole: whenever it dies, the file is
    // one of the two tables it alternates, never a mix or a stub.
    void killedWriterLeavesACompleteTable() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("scramble.ini"));
        const QByteArray first = FormatScoreTable(DefaultScoreTable(QStringLiteral("999999")));
        // The child's second table, built the same way.
        TScoreTable other = DefaultScoreTable(QStringLiteral("7"));
        for (int place = 0; place < kScorePlaces; ++place)
            other.Names[place] = QStringLiteral("Writer %1 with a longer name").arg(place);
        const QByteArray second = FormatScoreTable(other);
        constexpr int kKills = 300;
        int sawFirst = 0;
        for (int i = 0; i < kKills; ++i) {
            QProcess child;
            child.start(QStringLiteral(TOLVANE_TABLEWRITER_CHILD), {path});
            QVERIFY(child.waitForStarted());
            QVERIFY(child.waitForReadyRead(10000));
            // Vary the moment of death across the write cycle.
            QThread::usleep(QRandomGenerator::global()->bounded(2000));
            child.kill();
            QVERIFY(child.waitForFinished(10000));
            const TScoreRead read = ReadScoreFile(path);
            QVERIFY2(read.Table.has_value(), qPrintable(read.Error));
            const QByteArray bytes = ReadAll(path);
            QVERIFY2(bytes == first || bytes == second, bytes.constData());
            if (bytes == first) ++sawFirst;
        }
        // Both tables turn up, so the kills did land mid-loop.
        QVERIFY(sawFirst > 0 && sawFirst < kKills);
    }
};

QTEST_GUILESS_MAIN(TestScoreTable)
#include "test_scoretable.moc"
