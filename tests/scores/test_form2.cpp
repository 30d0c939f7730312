// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamepan/toolkit/platform/keys.h"
#include "scores/form2.h"
#include "tests/support/children.h"
#include "tests/support/recordingmessages.h"
#include "tests/support/smallfilesystem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

using namespace Tolvane;

namespace {

const QString kSorry = QStringLiteral("Sorry, your result is only sixth! ");

QByteArray Table(std::initializer_list<std::pair<const char*, const char*>> entries) {
    QByteArray bytes;
    for (const auto& [name, result] : entries)
        bytes += QByteArray(name) + "\r\n" + QByteArray(result) + "\r\n";
    return bytes;
}

const QByteArray kMoves = Table({{"A", "10"}, {"B", "20"}, {"C", "30"}, {"D", "40"}, {"E", "50"}});
const QByteArray kPoints = Table({{"A", "90"}, {"B", "70"}, {"C", "50"}, {"D", "30"}, {"E", "10"}});

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Types a name and accepts it with Enter.
void Accept(TForm2& form, const QString& name) {
    Child<QLineEdit>(form, "Edit1")->setText(name);
    form.FormKeyDown(VK_RETURN);
}

// Runs the rest of a test as the user nobody when the tests run as root;
// the folder becomes nobody's.
class TUnprivileged {
public:
    explicit TUnprivileged(const QString& folder) {
        if (geteuid() != 0) return;
        constexpr uid_t kNobody = 65534;
        QVERIFY(chown(QFile::encodeName(folder).constData(), kNobody, kNobody) == 0);
        // Real ids too, since access() asks with them; root stays the saved id.
        QVERIFY(setresgid(kNobody, kNobody, 0) == 0 && setresuid(kNobody, kNobody, 0) == 0);
        FSwitched = true;
    }
    ~TUnprivileged() {
        if (FSwitched && (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0))
            qFatal("cannot return to root");
    }
    TUnprivileged(const TUnprivileged&) = delete;
    TUnprivileged& operator=(const TUnprivileged&) = delete;

private:
    bool FSwitched = false;
};

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<TRecordingMessages> FMessages;

    QString PathOf(const char* file) const { return FDir->filePath(QLatin1String(file)); }

    void Put(const char* file, const QByteArray& bytes) {
        QFile f(PathOf(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Get(const char* file) const { return ReadFile(PathOf(file)); }

    // Shown without a modal loop, as the main window would have prepared it.
    std::unique_ptr<TForm2> Open(const char* game, const char* result) {
        auto form = std::make_unique<TForm2>();
        form->FGame = QLatin1String(game);
        form->FResult = QLatin1String(result);
        form->setWindowTitle(QStringLiteral("Game Over! Result:") + form->FResult);
        form->show();
        QApplication::setActiveWindow(form.get());
        return form;
    }

    QString Cell(TForm2& form, int row, int column) const {
        return Child<QTableWidget>(form, "StringGrid1")->item(row, column)->text();
    }

private slots:
    void init() {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        TForm2::SetScoreDirectory(FDir->path());
        FMessages = std::make_unique<TRecordingMessages>();
    }
    void cleanup() {
        FMessages.reset();
        FDir.reset();
    }

    void layoutMatchesTheDesign() {
        auto form = Open("Tetris", "0");
        QCOMPARE(form->size(), QSize(522, 373));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(Child<QTableWidget>(*form, "StringGrid1")->geometry(), QRect(208, 208, 300, 145));
        QCOMPARE(Child<QTableWidget>(*form, "StringGrid1")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(Child<QTableWidget>(*form, "StringGrid1")->columnWidth(2), 100);
        QCOMPARE(Child<QLineEdit>(*form, "Edit1")->geometry(), QRect(16, 208, 177, 24));
        QCOMPARE(Child<QPushButton>(*form, "BitBtn1")->text(), QStringLiteral("Close"));
        QCOMPARE(Child<QPushButton>(*form, "BitBtn3")->text(), QStringLiteral("Clear"));
        QCOMPARE(Child<QLabel>(*form, "Label4")->text(), QStringLiteral("Champions"));
        QCOMPARE(Child<QLabel>(*form, "Label5")->text(), QStringLiteral("Tolvane"));
        QCOMPARE(Cell(*form, 0, 0), QStringLiteral("Place"));
        QCOMPARE(Cell(*form, 0, 1), QStringLiteral("Name"));
        QCOMPARE(Cell(*form, 0, 2), QStringLiteral("Result"));
        QCOMPARE(Cell(*form, 5, 0), QStringLiteral("5"));
        QCOMPARE(Child<QTableWidget>(*form, "StringGrid1")->item(1, 1)->background().color(),
                 QColor(0, 255, 255));
    }

    void missingFileIsCreatedAtOnceWithDefaults_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("resultLine");
        QTest::newRow("figures") << "Figures"
                                 << "figures.ini"
                                 << "999999"
                                 << "Result: 999999 Moves";
        QTest::newRow("scramble") << "Scramble"
                                  << "scramble.ini"
                                  << "1000000"
                                  << "Result: 1000000 Moves";
        QTest::newRow("tetris") << "Tetris"
                                << "tetris.ini"
                                << "0"
                                << "Result: 0 Points";
        QTest::newRow("arcanoid") << "Arcanoid"
                                  << "arcanoid.ini"
                                  << "0"
                                  << "Result: 0 Points";
    }
    void missingFileIsCreatedAtOnceWithDefaults() {
        QFETCH(QString, game);
        QFETCH(QString, file);
        QFETCH(QString, result);
        QFETCH(QString, resultLine);
        auto form = Open(game.toLatin1().constData(), result.toLatin1().constData());
        const QByteArray fallback =
            game == QLatin1String("Tetris") || game == QLatin1String("Arcanoid") ? "0" : "999999";
        QByteArray expected;
        for (int place = 0; place < 5; ++place) expected += "Anonymous\r\n" + fallback + "\r\n";
        QCOMPARE(Get(file.toLatin1().constData()), expected);
        QCOMPARE(Child<QLabel>(*form, "Label1")->text(), game);
        QCOMPARE(Child<QLabel>(*form, "Label2")->text(), resultLine);
        QCOMPARE(Cell(*form, 5, 1), QStringLiteral("Anonymous"));
        QCOMPARE(Cell(*form, 5, 2), QString::fromLatin1(fallback));
        // The default result does not beat a fresh table.
        QVERIFY(!Child<QLineEdit>(*form, "Edit1")->isEnabled());
        QCOMPARE(Child<QLabel>(*form, "Label3")->text(), kSorry);
        QVERIFY(FMessages->Shown.isEmpty());
    }

    void qualifyingResultTakesANameOnEnterOnce() {
        auto form = Open("Scramble", "57");
        QCOMPARE(Child<QLabel>(*form, "Label3")->text(), QStringLiteral("Enter Your name!"));
        QVERIFY(Child<QLineEdit>(*form, "Edit1")->isEnabled());
        QVERIFY(Child<QLineEdit>(*form, "Edit1")->hasFocus());

        QTest::keyClick(Child<QLineEdit>(*form, "Edit1"), Qt::Key_Return);
        QVERIFY(Child<QLineEdit>(*form, "Edit1")->isEnabled());
        QCOMPARE(Cell(*form, 1, 1), QStringLiteral("Anonymous"));
        QVERIFY(form->isVisible());

        // Escape is no way out: the name being typed would be lost.
        QTest::keyClicks(Child<QLineEdit>(*form, "Edit1"), QStringLiteral("An"));
        QTest::keyClick(Child<QLineEdit>(*form, "Edit1"), Qt::Key_Escape);
        QVERIFY(form->isVisible());
        QTest::keyClicks(Child<QLineEdit>(*form, "Edit1"), QStringLiteral("n"));
        QCOMPARE(Child<QLineEdit>(*form, "Edit1")->text(), QStringLiteral("Ann"));
        Child<QLineEdit>(*form, "Edit1")->clear();

        QTest::keyClicks(Child<QLineEdit>(*form, "Edit1"), QStringLiteral("Ann"));
        QTest::keyClick(Child<QLineEdit>(*form, "Edit1"), Qt::Key_Enter);
        QCOMPARE(Child<QLabel>(*form, "Label3")->text(), QStringLiteral("Congratulations Ann!"));
        QCOMPARE(Cell(*form, 1, 1), QStringLiteral("Ann"));
        QCOMPARE(Cell(*form, 1, 2), QStringLiteral("57"));
        QCOMPARE(Cell(*form, 2, 1), QStringLiteral("Anonymous"));
        QVERIFY(!Child<QLineEdit>(*form, "Edit1")->isEnabled());
        QVERIFY(Child<QPushButton>(*form, "BitBtn1")->hasFocus());

        Child<QLineEdit>(*form, "Edit1")->setText(QStringLiteral("Bob"));
        form->FormKeyDown(VK_RETURN);
        QCOMPARE(Cell(*form, 2, 1), QStringLiteral("Anonymous"));

        QTest::mouseClick(Child<QPushButton>(*form, "BitBtn1"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(Get("scramble.ini").startsWith("Ann\r\n57\r\nAnonymous\r\n999999\r\n"));
        QCOMPARE(Get("scramble.ini").count("\r\n"), 10);
    }

    void resultEqualToAStoredPlaceRanksJustAfterIt_data() {
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("place");
        QTest::addColumn<bool>("qualifies");
        QTest::newRow("equal to second") << "20" << 3 << true;
        QTest::newRow("equal to first") << "10" << 2 << true;
        QTest::newRow("between fourth and fifth") << "45" << 5 << true;
        QTest::newRow("equal to fifth") << "50" << 0 << false;
    }
    void resultEqualToAStoredPlaceRanksJustAfterIt() {
        QFETCH(QString, result);
        QFETCH(int, place);
        QFETCH(bool, qualifies);
        Put("figures.ini", kMoves);
        auto form = Open("Figures", result.toLatin1().constData());
        QCOMPARE(Child<QLineEdit>(*form, "Edit1")->isEnabled(), qualifies);
        if (!qualifies) return;
        Child<QLineEdit>(*form, "Edit1")->setText(QStringLiteral("New"));
        form->FormKeyDown(VK_RETURN);
        QCOMPARE(Cell(*form, place, 1), QStringLiteral("New"));
        QCOMPARE(Cell(*form, place, 2), result);
        QCOMPARE(Cell(*form, place - 1, 2), place > 1 ? Cell(*form, place - 1, 2) : result);
        // Everything below moved down one; E fell out.
        QCOMPARE(Cell(*form, 5, 1), place == 5 ? QStringLiteral("New") : QStringLiteral("D"));
        form->close();
        QVERIFY(!Get("figures.ini").contains("E\r\n"));
    }

    void higherIsBetterRanksPoints() {
        Put("tetris.ini", kPoints);
        auto form = Open("Tetris", "60");
        QVERIFY(Child<QLineEdit>(*form, "Edit1")->isEnabled());
        Child<QLineEdit>(*form, "Edit1")->setText(QStringLiteral("Tess"));
        form->FormKeyDown(VK_RETURN);
        QCOMPARE(Cell(*form, 3, 1), QStringLiteral("Tess"));
        QCOMPARE(Cell(*form, 4, 1), QStringLiteral("C"));
        form->FormDeactivate();
        QCOMPARE(Get("tetris.ini"),
                 Table({{"A", "90"}, {"B", "70"}, {"Tess", "60"}, {"C", "50"}, {"D", "30"}}));
    }

    void clearDeletesTheTableAndClosingWritesNothing() {
        Put("arcanoid.ini", Table({{"A", "9"}, {"B", "8"}, {"C", "7"}, {"D", "6"}, {"E", "5"}}));
        {
            auto form = Open("Arcanoid", "100");
            QVERIFY(Child<QLineEdit>(*form, "Edit1")->isEnabled());
            QTest::mouseClick(Child<QPushButton>(*form, "BitBtn3"), Qt::LeftButton);
            QVERIFY(!QFile::exists(PathOf("arcanoid.ini")));
            QVERIFY(!Child<QPushButton>(*form, "BitBtn3")->isEnabled());
            QVERIFY(!Child<QLineEdit>(*form, "Edit1")->isEnabled());
            QVERIFY(Child<QLabel>(*form, "Label3")->isHidden());
            QCOMPARE(Cell(*form, 1, 1), QString());
            QCOMPARE(Cell(*form, 5, 2), QString());
            form->FormKeyDown(VK_RETURN);
            form->FormDeactivate();
            form->close();
            QVERIFY(!QFile::exists(PathOf("arcanoid.ini")));
        }
        auto next = Open("Arcanoid", "3");
        QCOMPARE(Cell(*next, 1, 1), QStringLiteral("Anonymous"));
        QVERIFY(Child<QLineEdit>(*next, "Edit1")->isEnabled());
        QCOMPARE(Get("arcanoid.ini").count("Anonymous"), 5);
    }

    void unreadableTableIsReportedAndLeftUntouched_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters in a result")
            << Table({{"A", "10"}, {"B", "abc"}, {"C", "30"}, {"D", "40"}, {"E", "50"}})
            << "'abc' is not a valid integer value";
        QTest::newRow("nine lines")
            << kMoves.left(kMoves.size() - 4) << "'' is not a valid integer value";
        QTest::newRow("beyond 32 bits")
            << Table({{"A", "10"}, {"B", "20"}, {"C", "30"}, {"D", "40"}, {"E", "3000000000"}})
            << "'3000000000' is not a valid integer value";
    }
    void unreadableTableIsReportedAndLeftUntouched() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Put("scramble.ini", bytes);
        auto form = Open("Scramble", "1");
        QCOMPARE(FMessages->Texts(), QStringList{message});
        QVERIFY(!Child<QLineEdit>(*form, "Edit1")->isEnabled());
        form->FormKeyDown(VK_RETURN);
        form->FormDeactivate();
        form->close();
        QCOMPARE(Get("scramble.ini"), bytes);
    }

    void resultThatIsNoIntegerIsReported() {
        Put("tetris.ini", kMoves);
        auto form = Open("Tetris", "12x");
        QCOMPARE(FMessages->Texts(), QStringList{"'12x' is not a valid integer value"});
        QVERIFY(!Child<QLineEdit>(*form, "Edit1")->isEnabled());
        form->close();
        QCOMPARE(Get("tetris.ini"), kMoves);
    }

    void nameWithLineBreaksIsStoredOnOneLine() {
        auto form = Open("Tetris", "5");
        Child<QLineEdit>(*form, "Edit1")->setText(QStringLiteral("Bo\r\nb\n12"));
        form->FormKeyDown(VK_RETURN);
        QCOMPARE(Child<QLabel>(*form, "Label3")->text(), QStringLiteral("Congratulations Bob12!"));
        form->close();
        const QByteArray bytes = Get("tetris.ini");
        QVERIFY(bytes.startsWith("Bob12\r\n5\r\nAnonymous\r\n"));
        QCOMPARE(bytes.count('\n'), 10);
    }

    void controlCharactersAloneAreNoName() {
        auto form = Open("Tetris", "5");
        Child<QLineEdit>(*form, "Edit1")->setText(QStringLiteral("\r\n\t"));
        form->FormKeyDown(VK_RETURN);
        QVERIFY(Child<QLineEdit>(*form, "Edit1")->isEnabled());
        QCOMPARE(Cell(*form, 1, 1), QStringLiteral("Anonymous"));
    }

    void directoryInPlaceOfTheFileIsReported() {
        QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("figures.ini")));
        auto form = Open("Figures", "3");
        QCOMPARE(FMessages->Texts(), QStringList{"Cannot Open " + PathOf("figures.ini")});
        QVERIFY(!Child<QLineEdit>(*form, "Edit1")->isEnabled());
        form->close();
        QVERIFY(QFileInfo(PathOf("figures.ini")).isDir());
        QCOMPARE(FMessages->Shown.size(), 1);
    }

    void aFileOfJunkIsReportedBrieflyAndLeftUntouched() {
        QByteArray junk(10 * 1024 * 1024, 'x');
        for (qsizetype i = 0; i < junk.size(); i += 4099) junk[i] = char(i * 31);
        Put("arcanoid.ini", junk);
        auto form = Open("Arcanoid", "40");
        QCOMPARE(FMessages->Shown.size(), 1);
        QVERIFY(FMessages->Texts()[0].endsWith("...' is not a valid integer value"));
        QVERIFY(FMessages->Texts()[0].size() < 200);
        QVERIFY(!Child<QLineEdit>(*form, "Edit1")->isEnabled());
        form->close();
        QVERIFY(Get("arcanoid.ini") == junk);
    }

    // Tables the player protected: each is reported and none is replaced.
    // Root passes every permission check, so the window runs as nobody then.
    void readOnlyTablesAreReportedAndLeftAsTheyAre_data() {
        QTest::addColumn<bool>("fileReadOnly");
        QTest::addColumn<bool>("folderReadOnly");
        QTest::addColumn<bool>("present");
        QTest::newRow("read-only file") << true << false << true;
        QTest::newRow("read-only folder with the table") << false << true << true;
        QTest::newRow("read-only folder without it") << false << true << false;
    }
    void readOnlyTablesAreReportedAndLeftAsTheyAre() {
        QFETCH(bool, fileReadOnly);
        QFETCH(bool, folderReadOnly);
        QFETCH(bool, present);
        TUnprivileged nobody(FDir->path());
        if (present) Put("scramble.ini", kMoves);
        QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        if (fileReadOnly) QVERIFY(QFile::setPermissions(PathOf("scramble.ini"), readOnly));
        if (folderReadOnly)
            QVERIFY(QFile::setPermissions(FDir->path(), readOnly | QFile::ExeOwner |
                                                            QFile::ExeGroup | QFile::ExeOther));
        auto form = Open("Scramble", "1");
        auto* edit = Child<QLineEdit>(*form, "Edit1");
        if (edit->isEnabled()) {
            edit->setText(QStringLiteral("Ann"));
            form->FormKeyDown(VK_RETURN);
        }
        form->close();
        QCOMPARE(FMessages->Shown.size(), 1);
        QCOMPARE(FMessages->Shown[0].Type, TMsgDlgType::mtError);
        QVERIFY2(FMessages->Texts()[0].endsWith(PathOf("scramble.ini")),
                 qPrintable(FMessages->Texts()[0]));
        QCOMPARE(Get("scramble.ini"), present ? kMoves : QByteArray());
        QFile::setPermissions(FDir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The accepted entry cannot be saved; the failure is told once however
    // often the write is tried again, and the window closes normally. Where
    // the obstacle goes before the window closes, the entry is saved then.
    void failedWriteBackIsReported_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("removed");
        QTest::newRow("folder in place of the table") << "tetris.ini"
                                                      << "Cannot Open " << false;
        QTest::newRow("lock held, then let go") << "tetris.ini.lock"
                                                << "Cannot Write " << true;
    }
    void failedWriteBackIsReported() {
        QFETCH(QString, obstacle);
        QFETCH(QString, message);
        QFETCH(bool, removed);
        auto form = Open("Tetris", "40");
        QFile::remove(PathOf("tetris.ini"));
        QVERIFY(QDir(FDir->path()).mkdir(obstacle));
        Accept(*form, QStringLiteral("Ann"));
        form->FormDeactivate();
        if (removed) {
            QVERIFY(QDir(FDir->path()).rmdir(obstacle));
            Put("tetris.ini", kPoints);
        }
        form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(FMessages->Texts(), QStringList{message + PathOf("tetris.ini")});
        QCOMPARE(QFileInfo(PathOf(obstacle.toLatin1().constData())).isDir(), !removed);
        if (removed)
            QCOMPARE(Get("tetris.ini"),
                     Table({{"A", "90"}, {"B", "70"}, {"C", "50"}, {"Ann", "40"}, {"D", "30"}}));
    }

    // Down and Space are Tetris's drop keys; a player still pressing them as
    // the game ends must not reach Clear, whatever the window waits for.
    void gameKeysNeverClearTheTable_data() {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QList<int>>("keys");
        const QList<int> drops = {Qt::Key_Down, Qt::Key_Space, Qt::Key_Down, Qt::Key_Space,
                                  Qt::Key_Return};
        QTest::newRow("not placed, drops") << "5" << drops;
        QTest::newRow("placed, drops") << "95" << drops;
        QTest::newRow("not placed, arrows")
            << "5" << QList<int>{Qt::Key_Right, Qt::Key_Space, Qt::Key_Left,
                                 Qt::Key_Up,    Qt::Key_Space, Qt::Key_Enter};
        QTest::newRow("not placed, tab") << "5" << QList<int>{Qt::Key_Tab, Qt::Key_Space};
        QTest::newRow("placed, keypad digits")
            << "95" << QList<int>{Qt::Key_2, Qt::Key_8, Qt::Key_Down, Qt::Key_Space, Qt::Key_Enter};
    }
    void gameKeysNeverClearTheTable() {
        QFETCH(QString, result);
        QFETCH(QList<int>, keys);
        Put("tetris.ini", kPoints);
        auto form = Open("Tetris", result.toLatin1().constData());
        for (const int key : keys) {
            QWidget* target =
                QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
            const bool keypad = key >= Qt::Key_0 && key <= Qt::Key_9;
            QTest::keyClick(target, Qt::Key(key), keypad ? Qt::KeypadModifier : Qt::NoModifier);
        }
        form->close();
        // The four best stay in order, with the new entry above them or not.
        QVERIFY2(
            Get("tetris.ini").contains(Table({{"A", "90"}, {"B", "70"}, {"C", "50"}, {"D", "30"}})),
            Get("tetris.ini").constData());
        QVERIFY(FMessages->Shown.isEmpty());
    }

    // Two copies of the program on one folder, each with its window open: each
    // entry is kept, in either order, and a window without a new entry
    // writes nothing.
    void twoWindowsOnOneFolderKeepEachOthersEntries_data() {
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("secondName");
        QTest::addColumn<bool>("firstClosesFirst");
        QTest::addColumn<QByteArray>("expected");
        for (const bool firstClosesFirst : {true, false})
            QTest::addRow("both named, %s closes first", firstClosesFirst ? "first" : "second")
                << "Ann"
                << "Bob" << firstClosesFirst
                << Table({{"A", "90"}, {"Ann", "80"}, {"B", "70"}, {"Bob", "60"}, {"C", "50"}});
        QTest::newRow("second only opened, closes last")
            << "Ann"
            << "" << true
            << Table({{"A", "90"}, {"Ann", "80"}, {"B", "70"}, {"C", "50"}, {"D", "30"}});
        QTest::newRow("first only opened, closes first")
            << ""
            << "Bob" << true
            << Table({{"A", "90"}, {"B", "70"}, {"Bob", "60"}, {"C", "50"}, {"D", "30"}});
    }
    void twoWindowsOnOneFolderKeepEachOthersEntries() {
        QFETCH(QString, firstName);
        QFETCH(QString, secondName);
        QFETCH(bool, firstClosesFirst);
        QFETCH(QByteArray, expected);
        Put("tetris.ini", kPoints);
        auto first = Open("Tetris", "80");
        auto second = Open("Tetris", "60");
        for (auto& [form, name] : {std::pair{first.get(), firstName}, {second.get(), secondName}})
            if (!name.isEmpty()) Accept(*form, name);
        (firstClosesFirst ? first : second)->close();
        (firstClosesFirst ? second : first)->close();
        QCOMPARE(Get("tetris.ini"), expected);
        QVERIFY(FMessages->Shown.isEmpty());
    }

    // The session ends (a logout sends SIGTERM, Ctrl+C SIGINT) while the
    // window still shows the congratulation: the name is on disk and the
    // program ends with status 0. A name that could not be saved on
    // acceptance (another copy held the table) is saved as the window closes.
    void terminationSignalKeepsTheNameAndEndsCleanly_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("lockHeld");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGINT") << int(SIGINT) << false;
        QTest::newRow("SIGTERM, saved at the close") << int(SIGTERM) << true;
    }
    void terminationSignalKeepsTheNameAndEndsCleanly() {
        QFETCH(int, signal);
        QFETCH(bool, lockHeld);
        Put("tetris.ini", kPoints);
        QLockFile lock(PathOf("tetris.ini.lock"));
        if (lockHeld) QVERIFY(lock.tryLock(0));
        QProcess host;
        host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        host.start(QStringLiteral(TOLVANE_HIGHSCORE_HOST), {FDir->path()});
        QVERIFY(host.waitForStarted(10000));
        while (!host.canReadLine()) QVERIFY(host.waitForReadyRead(10000));
        QCOMPARE(host.readLine(), QByteArray(lockHeld ? "accepted 1\n" : "accepted 0\n"));
        // On disk already as the congratulation shows, unless it could not be.
        QCOMPARE(Get("tetris.ini").startsWith("Ann\r\n95\r\n"), !lockHeld);
        lock.unlock();
        QVERIFY(::kill(pid_t(host.processId()), signal) == 0);
        QVERIFY2(host.waitForFinished(10000), "still running 10 s after the signal");
        QCOMPARE(host.exitStatus(), QProcess::NormalExit);
        QCOMPARE(host.exitCode(), 0);
        QCOMPARE(Get("tetris.ini"),
                 Table({{"Ann", "95"}, {"A", "90"}, {"B", "70"}, {"C", "50"}, {"D", "30"}}));
    }

    void missingBackgroundIsReportedAndDropped() {
        TForm2 form;
        form.FBackground = PathOf("nothing.bmp");
        form.LoadBackground();
        QCOMPARE(FMessages->Texts(), QStringList{"Cannot Open " + PathOf("nothing.bmp")});
        QVERIFY(!form.FPicture);
        QVERIFY(form.FBackground.isEmpty());
    }

    void secondBackgroundTurnsCellsSilver_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QColor>("cells");
        QTest::newRow("backgr1") << "backgr1.bmp" << QColor(0, 255, 255);
        QTest::newRow("backgr2") << "backgr2.bmp" << QColor(192, 192, 192);
    }
    void secondBackgroundTurnsCellsSilver() {
        QFETCH(QString, picture);
        QFETCH(QColor, cells);
        auto form = std::make_unique<TForm2>();
        form->FBackground = QStringLiteral(TOLVANE_PICTURES "/") + picture;
        form->LoadBackground();
        QVERIFY(form->FPicture);
        form->FGame = QStringLiteral("Tetris");
        form->FResult = QStringLiteral("0");
        form->show();
        QCOMPARE(Child<QTableWidget>(*form, "StringGrid1")->item(1, 1)->background().color(),
                 cells);
        QCOMPARE(Child<QTableWidget>(*form, "StringGrid1")->item(0, 0)->background().color(),
                 cells);
        QCOMPARE(Child<QLineEdit>(*form, "Edit1")->palette().color(QPalette::Base), cells);
        // The picture is tiled under the labels.
        const QImage shot = form->grab().toImage();
        const QImage source = form->FPicture->Pixmap().toImage();
        QCOMPARE(shot.pixelColor(2, 2), source.pixelColor(2, 2));
        form->close();
        QVERIFY(!form->FPicture);
        QVERIFY(FMessages->Shown.isEmpty());
    }
};

// The score folder on a small file system of the test's own, filled up.
class TestForm2FullDisk : public QObject {
    Q_OBJECT
public:
    explicit TestForm2FullDisk(QString folder) : FFolder(std::move(folder)) {}

private:
    QString FFolder;
    std::unique_ptr<TRecordingMessages> FMessages;

    QString Path() const { return QDir(FFolder).filePath(QStringLiteral("tetris.ini")); }

private slots:
    void init() {
        for (const QString& name : QDir(FFolder).entryList(QDir::Files | QDir::Hidden))
            QVERIFY(QFile::remove(QDir(FFolder).filePath(name)));
        TForm2::SetScoreDirectory(FFolder);
        FMessages = std::make_unique<TRecordingMessages>();
    }
    void cleanup() { FMessages.reset(); }

    // No space for the new table: the old one stays whole and the failure
    // is told, whether the table is written back, has a new entry or is
    // made anew.
    void writeWithoutSpaceKeepsTheTable_data() {
        QTest::addColumn<QString>("by");
        QTest::addColumn<bool>("present");
        QTest::newRow("table written back") << "writer" << true;
        QTest::newRow("name accepted") << "window" << true;
        QTest::newRow("table made anew") << "window" << false;
    }
    void writeWithoutSpaceKeepsTheTable() {
        QFETCH(QString, by);
        QFETCH(bool, present);
        if (present) {
            QFile f(Path());
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(kPoints) == kPoints.size());
        }
        QString reason;
        QVERIFY2(FillFileSystem(FFolder, reason), qPrintable(reason));
        if (by == QLatin1String("writer")) {
            TScoreTable table = *ParseScoreTable(kPoints).Table;
            InsertEntry(table, 1, QStringLiteral("Ann"), QStringLiteral("95"));
            QCOMPARE(WriteScoreFile(Path(), table), "Cannot Write " + Path());
        } else {
            TForm2 form;
            form.FGame = QStringLiteral("Tetris");
            form.FResult = QStringLiteral("95");
            form.show();
            if (present) Accept(form, QStringLiteral("Ann"));
            form.close();
            QCOMPARE(FMessages->Texts(), QStringList{"Cannot Write " + Path()});
        }
        QCOMPARE(QFileInfo::exists(Path()), present);
        QCOMPARE(ReadFile(Path()), present ? kPoints : QByteArray());
        // Nothing half-written is left beside it.
        QStringList left = QDir(FFolder).entryList(QDir::Files | QDir::Hidden);
        left.removeAll(QStringLiteral("filler"));
        QCOMPARE(left, present ? QStringList{"tetris.ini"} : QStringList());
    }
};

// The exit code ctest counts as skipped.
constexpr int kSkipped = 77;

// The first argument picks the group: the window (the default), or
// "fulldisk", the window on a full file system; the rest goes to QtTest.
int main(int argc, char** argv) {
    const bool fullDisk = argc > 1 && std::strcmp(argv[1], "fulldisk") == 0;
    if (fullDisk) {
        for (int i = 1; i + 1 < argc; ++i) argv[i] = argv[i + 1];
        --argc;
    }
    QTemporaryDir folder;
    QString reason;
    // Before the application object, which starts threads.
    if (fullDisk && (!folder.isValid() || !MountSmallFileSystem(folder.path(), 64, reason))) {
        std::fprintf(stderr, "SKIPPED: no small file system can be mounted here: %s\n",
                     qPrintable(reason));
        return kSkipped;
    }
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    int result = 0;
    if (fullDisk) {
        TestForm2FullDisk test(folder.path());
        result = QTest::qExec(&test, argc, argv);
        UnmountSmallFileSystem(folder.path());
    } else {
        TestForm2 test;
        result = QTest::qExec(&test, argc, argv);
    }
    return result;
}

#include "test_form2.moc"
