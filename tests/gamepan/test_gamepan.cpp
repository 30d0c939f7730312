// SPDX-License-Identifier: GPL-3.0-or-later
// The game panel's settings, modes and play control, driven through Scramble.
#include "gamepan/gamepan.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/random.h"
#include "games/scramble/scrmbl.h"
#include "games/tetris/ttrs.h"
#include "tests/gamepan/panelfixture.h"
#include "tests/support/recordingmessages.h"

#include <QEventLoop>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

using namespace Tolvane;

namespace {

QStringList Captions(const TScrmbl& board) {
    QStringList captions;
    for (int i = 1; i <= board.Size(); ++i)
        for (int j = 1; j <= board.Size(); ++j) captions << board.Tile(i, j)->text();
    return captions;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    const QPointF global = widget->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Writes a 2 x 1 BMP: red on the left, blue on the right.
QString WriteTwoColourBmp(const QTemporaryDir& dir) {
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 0, 255));
    const QString path = dir.filePath(QStringLiteral("two.bmp"));
    image.save(path, "BMP");
    return path;
}

} // namespace

class TGamePanTest : public QObject, protected TPanelFixture {
    Q_OBJECT

    const QRect kDesigned{80, 8, 433, 353};

    TScrmbl& Board() { return *FPan->BoardAs<TScrmbl>(); }

    void StartScramble() {
        FPan->SetState(TState::Scramble);
        FPan->SetStart(true);
    }

private slots:
    void init() { SetUpPanel(1234, {600, 400}, kDesigned); }

    void cleanup() { TearDownPanel(); }

    void sRowsColumnsRefusesValuesOutsideTwoToEight_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1") << 1 << false;
        QTest::newRow("2") << 2 << true;
        QTest::newRow("8") << 8 << true;
        QTest::newRow("9") << 9 << false;
        QTest::newRow("65535") << 65535 << false;
    }
    void sRowsColumnsRefusesValuesOutsideTwoToEight() {
        QFETCH(int, value);
        QFETCH(bool, accepted);
        FPan->SetSRowsColumns(static_cast<std::uint16_t>(value));
        if (accepted) {
            QCOMPARE(FPan->SRowsColumns(), value);
            QVERIFY(FMessages->Shown.isEmpty());
        } else {
            QCOMPARE(FPan->SRowsColumns(), 4);
            QCOMPARE(FMessages->Texts(), QStringList{"Value must be in [2..8]"});
            QCOMPARE(FMessages->Shown.front().Type, TMsgDlgType::mtError);
        }
    }

    void sRowsColumnsDuringAGameWaitsForTheNextStartWithANotice() {
        StartScramble();
        FPan->SetSRowsColumns(5);
        QCOMPARE(FMessages->Texts(), QStringList{"Restart Scramble to have effect this option"});
        QCOMPARE(FMessages->Shown.front().Type, TMsgDlgType::mtInformation);
        QCOMPARE(Board().Size(), 4);
        QCOMPARE(Board().Tile(5, 5), nullptr);

        Fire(Board().OnOver, &Board());
        QVERIFY(!FPan->Start());
        FPan->SetStart(true);
        QCOMPARE(Board().Size(), 5);
        QVERIFY(Board().Tile(5, 5) != nullptr);
    }

    void sRowsColumnsOnAnIdleBoardAppliesAtOnceWithoutNotice() {
        FPan->SetState(TState::Scramble);
        FPan->SetSRowsColumns(6);
        QVERIFY(FMessages->Shown.isEmpty());
        QCOMPARE(Board().Size(), 6);
    }

    void showAllDlgsFalseSilencesTheNotice() {
        FPan->SetShowAllDlgs(false);
        StartScramble();
        FPan->SetSRowsColumns(3);
        QVERIFY(FMessages->Shown.isEmpty());
        QCOMPARE(FPan->SRowsColumns(), 3);
    }

    void withCaptionIsRefusedWhileAGameIsShown() {
        FPan->SetState(TState::Scramble);
        const QMargins decorated = FPan->contentsMargins();
        QCOMPARE(decorated.top(), TPanel::kBorder + TPanel::kTitleHeight);
        FPan->SetWithCaption(false);
        QCOMPARE(FMessages->Texts(),
                 QStringList{"At run time change this option only if State=stPanel"});
        QVERIFY(FPan->WithCaption());
        QCOMPARE(FPan->contentsMargins(), decorated);
    }

    void withoutCaptionAGameGetsOnlyTheSizingBorder() {
        FPan->SetWithCaption(false);
        QVERIFY(FMessages->Shown.isEmpty());
        FPan->SetState(TState::Scramble);
        const int b = TPanel::kBorder;
        QCOMPARE(FPan->contentsMargins(), QMargins(b, b, b, b));
        QCOMPARE(Board().geometry(), FPan->contentsRect());
    }

    void settingTheSameStateTwiceKeepsTheBoard() {
        FPan->SetState(TState::Scramble);
        TScrmbl* first = FPan->BoardAs<TScrmbl>();
        FPan->SetState(TState::Scramble);
        QCOMPARE(FPan->BoardAs<TScrmbl>(), first);
    }

    void switchingGamesShowsPleaseWaitThenTheNameAndKeepsTheFirstBounds() {
        FPan->SetCaption(QStringLiteral("idle"));
        FPan->SetState(TState::Scramble);
        QCOMPARE(FPan->Caption(), QStringLiteral("Scramble"));
        QCOMPARE(SavedCaption, QStringLiteral("idle"));
        FPan->setGeometry(90, 20, 300, 300);

        // Catch the caption at the moment the new board joins the panel.
        QString captionWhileBuilding;
        struct TWatch : QObject {
            TGamePan* Pan;
            QString* Seen;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::ChildAdded) *Seen = Pan->Caption();
                return false;
            }
        } watch;
        watch.Pan = FPan;
        watch.Seen = &captionWhileBuilding;
        FPan->installEventFilter(&watch);
        FPan->SetState(TState::Tetris);
        FPan->removeEventFilter(&watch);

        QCOMPARE(captionWhileBuilding, QStringLiteral("PLEASE WAIT"));
        QCOMPARE(FPan->Caption(), QStringLiteral("Tetris"));
        QCOMPARE(FPan->BoardAs<TScrmbl>(), nullptr);
        QVERIFY(FPan->Framed());
        FPan->SetState(TState::StPanel);
        QCOMPARE(FPan->geometry(), kDesigned);
        QCOMPARE(FPan->Caption(), QStringLiteral("idle"));
        QCOMPARE(FPan->contentsMargins(), QMargins());
    }

    void withoutShowScoresTimeTheGameNameIsNotShown() {
        FPan->SetShowScoresTime(false);
        FPan->SetState(TState::Scramble);
        QCOMPARE(FPan->Caption(), QString());
    }

    void startTwiceAndStartFalseChangeNothing() {
        StartScramble();
        Fire(Board().OnMove, &Board());
        const QStringList captions = Captions(Board());
        FPan->SetStart(true);
        FPan->SetStart(false);
        QVERIFY(FPan->Start());
        QVERIFY(Board().Active());
        QCOMPARE(Captions(Board()), captions);
    }

    void startWithoutABoardDoesNothing() {
        FPan->SetStart(true);
        QVERIFY(!FPan->Start());
        FPan->SetState(TState::Figures);
        FPan->SetState(TState::StPanel);
        FPan->SetStart(true);
        QVERIFY(!FPan->Start());
    }

    void pausedBeforeStartStaysFalse() {
        FPan->SetState(TState::Scramble);
        FPan->SetPaused(true);
        QVERIFY(!FPan->Paused());
        QVERIFY(!Board().Paused());
    }

    void pausingDisablesTheBoardAndResumingEnablesIt() {
        StartScramble();
        FPan->SetPaused(true);
        QVERIFY(FPan->Paused());
        QVERIFY(Board().Paused());
        QVERIFY(!Board().Tile(1, 1)->isEnabled());
        FPan->SetPaused(false);
        QVERIFY(!Board().Paused());
        QVERIFY(Board().Tile(1, 1)->isEnabled());
    }

    void keypadKeysMoveOnlyWithDefKeys_data() {
        QTest::addColumn<bool>("defKeys");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void keypadKeysMoveOnlyWithDefKeys() {
        QFETCH(bool, defKeys);
        FPan->SetDefKeys(defKeys);
        int seen = 0;
        QObject* sender = nullptr;
        FPan->OnKeyDown = [&](QObject* from, std::uint16_t&, Qt::KeyboardModifiers) {
            ++seen;
            sender = from;
        };
        StartScramble();
        const QStringList before = Captions(Board());
        for (int key : {Qt::Key_4, Qt::Key_6, Qt::Key_8, Qt::Key_2})
            QTest::keyClick(&Board(), static_cast<Qt::Key>(key), Qt::KeypadModifier);
        QCOMPARE(seen, 4);
        QCOMPARE(sender, static_cast<QObject*>(FPan));
        if (defKeys) {
            QVERIFY(FPan->ScrambleMoves() >= 2);
            QVERIFY(Captions(Board()) != before);
        } else {
            QCOMPARE(FPan->ScrambleMoves(), 0);
            QCOMPARE(Captions(Board()), before);
        }
    }

    void directionsAreFilteredByGame() {
        StartScramble();
        const QStringList before = Captions(Board());
        FPan->SetDirection(6);
        QCOMPARE(FPan->Direction(), 6);
        QCOMPARE(Captions(Board()), before);
        QCOMPARE(FPan->ScrambleMoves(), 0);
        FPan->SetDirection(2);
        QCOMPARE(FPan->Direction(), 6);
        FPan->SetDirection(0);
        FPan->SetDirection(1);
        QCOMPARE(FPan->Direction(), 1);
        QVERIFY(FPan->ScrambleMoves() >= 1);
    }

    void directionsWaitWhilePaused() {
        StartScramble();
        FPan->SetPaused(true);
        const QStringList before = Captions(Board());
        FPan->SetDirection(0);
        FPan->SetDirection(1);
        QCOMPARE(Captions(Board()), before);
        QCOMPARE(FPan->Direction(), 1);
    }

    void aMissingIdlePictureIsReportedOnceAndForgotten() {
        const QString path = QStringLiteral("/nonexistent/backgr1.bmp");
        FPan->SetBStPicture(path);
        FPan->SetState(TState::Scramble);
        QCOMPARE(FMessages->Texts(), QStringList{"Cannot Open " + path});
        QCOMPARE(FPan->BStPicture(), QString());
        QCOMPARE(FPan->Picture(), nullptr);
        FPan->SetState(TState::Tetris);
        QCOMPARE(FMessages->Shown.size(), 1);
    }

    // A real message box runs the event loop while it is up; the game left
    // behind must not play on in it, and the path is still there to read.
    void aGameLeftForAnotherStopsAtOnce() {
        FPan->SetTDelay(10);
        FPan->SetState(TState::Tetris);
        FPan->SetStart(true);
        QPointer<TTtrs> old = FPan->BoardAs<TTtrs>();
        // What the old well holds, read from the board itself: the panel
        // stops listening to it, so only its cells tell whether it plays on.
        auto well = [&] {
            QString cells;
            for (int r = 1; r <= old->Rows(); ++r)
                for (int c = 1; c <= old->Columns(); ++c) cells += old->Cell(r, c) ? '#' : '.';
            return cells;
        };
        const QString path = QStringLiteral("/nonexistent/backgr2.bmp");
        FPan->SetBStPicture(path);
        QString pathWhileShown;
        bool changedWhileShown = true;
        FMessages->WhileShown = [&](const QString&) {
            pathWhileShown = FPan->BStPicture();
            const QString before = well();
            // A loop of its own, as a real box runs (qWait would also run
            // deferred deletions).
            QEventLoop box;
            QTimer::singleShot(300, &box, &QEventLoop::quit);
            box.exec();
            changedWhileShown = well() != before;
        };
        // From inside the event loop, like a click: the old board's deferred
        // deletion then waits until the box is gone.
        bool switched = false;
        QTimer::singleShot(0, FPan, [&] {
            FPan->SetState(TState::Scramble);
            switched = true;
            QVERIFY(old);
            QVERIFY(!old->Active());
            // A late notification of the old board counts for nothing.
            if (old->OnDelete) old->OnDelete(old);
        });
        QTRY_VERIFY(switched);
        QCOMPARE(FMessages->Texts(), QStringList{"Cannot Open " + path});
        QCOMPARE(pathWhileShown, path);
        QCOMPARE(FPan->BStPicture(), QString());
        QVERIFY(!changedWhileShown);
        QCOMPARE(FPan->TetrisScore(), 0);
    }

    void statusCaptionFollowsTheClock() {
        StartScramble();
        QCOMPARE(FPan->Caption(), QStringLiteral(" Moves: 0"));
        int ticks = 0;
        FPan->OnScrambleTime = [&](QObject* sender) {
            QCOMPARE(sender, FPan);
            ++ticks;
        };
        Fire(Board().OnMove, &Board());
        Fire(Board().OnTime, &Board());
        QCOMPARE(ticks, 1);
        QCOMPARE(FPan->Caption(), QStringLiteral(" Moves: ") + QString::number(Board().Moves()));
        FPan->SetShowScoresTime(false);
        Fire(Board().OnTime, &Board());
        QCOMPARE(FPan->Caption(), QString());
    }

    void moveEventCopiesTheBoardCount() {
        StartScramble();
        std::int32_t seen = -1;
        FPan->OnScrambleMove = [&](QObject*) { seen = FPan->ScrambleMoves(); };
        FPan->SetDirection(0);
        FPan->SetDirection(1);
        QCOMPARE(seen, Board().Moves());
        QVERIFY(seen >= 1);
    }

    void overStopsTheGameBeforeTheEventAndShowsTheOverPicture() {
        QTemporaryDir dir;
        const QString picture = WriteTwoColourBmp(dir);
        FPan->SetAOverPicture(picture);
        StartScramble();
        bool startDuringEvent = true;
        int overs = 0;
        FPan->OnScrambleOver = [&](QObject*) {
            startDuringEvent = FPan->Start();
            ++overs;
        };
        Fire(Board().OnOver, &Board());
        QCOMPARE(overs, 1);
        QVERIFY(!startDuringEvent);
        QVERIFY(!Board().Active());
        QVERIFY(FPan->Picture() != nullptr);
        QCOMPARE(FPan->Picture()->Width(), 2);
    }

    void anOwnerThatStartsAgainInsideTheOverEventGetsNoOverPicture() {
        FPan->SetAOverPicture(QStringLiteral("/no/such/picture.bmp"));
        StartScramble();
        FPan->OnScrambleOver = [&](QObject*) { FPan->SetStart(true); };
        Fire(Board().OnOver, &Board());
        QVERIFY(FPan->Start());
        QVERIFY(Board().Active());
        QVERIFY(FMessages->Shown.isEmpty());
        QVERIFY(!FPan->Picture());
        QCOMPARE(FPan->AOverPicture(), QStringLiteral("/no/such/picture.bmp"));
    }

    void anOwnerMayLeaveTheGameInsideTheOverEvent() {
        StartScramble();
        FPan->OnScrambleOver = [&](QObject*) { FPan->SetState(TState::StPanel); };
        Fire(Board().OnOver, &Board());
        QCOMPARE(FPan->State(), TState::StPanel);
        QCOMPARE(FPan->BoardAs<TScrmbl>(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(FPan->findChildren<TScrmbl*>().isEmpty());
    }

    void idleBoardShowsThePictureTiledOrStretched_data() {
        QTest::addColumn<bool>("stretch");
        QTest::newRow("tiled") << false;
        QTest::newRow("stretched") << true;
    }
    void idleBoardShowsThePictureTiledOrStretched() {
        QFETCH(bool, stretch);
        QTemporaryDir dir;
        FPan->SetBStPicture(WriteTwoColourBmp(dir));
        FPan->SetPicStretch(stretch);
        FPan->SetState(TState::Scramble);
        const QImage shown = Board().grab().toImage();
        QCOMPARE(QColor(shown.pixel(0, 0)), QColor(Qt::red));
        // Tiled, the third column repeats the first; stretched, the left
        // half is red all the way down.
        QCOMPARE(QColor(shown.pixel(2, 0)), QColor(Qt::red));
        QCOMPARE(QColor(shown.pixel(3, 5)), stretch ? QColor(Qt::red) : QColor(Qt::blue));
        const int bottom = shown.height() - 1;
        if (stretch) {
            QCOMPARE(QColor(shown.pixel(shown.width() - 1, bottom)), QColor(Qt::blue));
        } else {
            QCOMPARE(QColor(shown.pixel(4, bottom)), QColor(Qt::red));
            QCOMPARE(QColor(shown.pixel(5, bottom)), QColor(Qt::blue));
        }
    }

    void runningBoardDoesNotShowThePicture() {
        QTemporaryDir dir;
        FPan->SetBStPicture(WriteTwoColourBmp(dir));
        FPan->SetColorSB(clBlack);
        StartScramble();
        QCOMPARE(FPan->Picture(), nullptr);
    }

    void aGameKeepsAtLeastEightyPixels() {
        FPan->resize(50, 30);
        QCOMPARE(FPan->size(), QSize(50, 30));
        FPan->SetState(TState::Scramble);
        FPan->resize(50, 30);
        QCOMPARE(FPan->size(), QSize(80, 80));
    }

    void theDecoratedPanelMovesByItsTitleAndResizesByItsBorder() {
        FPan->SetState(TState::Scramble);
        const QPoint title(40, TPanel::kBorder + 5);
        SendMouse(FPan, QEvent::MouseButtonPress, title, Qt::LeftButton);
        SendMouse(FPan, QEvent::MouseMove, title + QPoint(-30, 20), Qt::LeftButton);
        SendMouse(FPan, QEvent::MouseButtonRelease, title + QPoint(-30, 20), Qt::NoButton);
        QCOMPARE(FPan->geometry(), kDesigned.translated(-30, 20));

        const QPoint corner(FPan->width() - 2, FPan->height() - 2);
        SendMouse(FPan, QEvent::MouseButtonPress, corner, Qt::LeftButton);
        SendMouse(FPan, QEvent::MouseMove, corner + QPoint(-500, -500), Qt::LeftButton);
        SendMouse(FPan, QEvent::MouseButtonRelease, corner + QPoint(-500, -500), Qt::NoButton);
        QCOMPARE(FPan->size(), QSize(80, 80));
        QCOMPARE(Board().geometry(), FPan->contentsRect());

        FPan->SetState(TState::StPanel);
        QCOMPARE(FPan->geometry(), kDesigned);
    }

    void theSizingBorderShowsTheResizeCursor_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("cursor");
        QTest::newRow("left") << QPoint(1, 100) << int(Qt::SizeHorCursor);
        QTest::newRow("bottom") << QPoint(100, kDesigned.height() - 2) << int(Qt::SizeVerCursor);
        QTest::newRow("top left") << QPoint(1, 1) << int(Qt::SizeFDiagCursor);
        QTest::newRow("top right") << QPoint(kDesigned.width() - 2, 1) << int(Qt::SizeBDiagCursor);
        QTest::newRow("title bar") << QPoint(100, TPanel::kBorder + 5) << int(Qt::ArrowCursor);
    }
    void theSizingBorderShowsTheResizeCursor() {
        QFETCH(QPoint, at);
        QFETCH(int, cursor);
        FPan->SetState(TState::Scramble);
        SendMouse(FPan, QEvent::MouseMove, at, Qt::NoButton);
        QCOMPARE(int(FPan->cursor().shape()), cursor);
        FPan->SetState(TState::StPanel);
        QCOMPARE(int(FPan->cursor().shape()), int(Qt::ArrowCursor));
    }

    void clientSizeExcludesTheDecorations() {
        FPan->SetState(TState::Scramble);
        const int b = TPanel::kBorder;
        QCOMPARE(FPan->ClientHeight(), kDesigned.height() - 2 * b - TPanel::kTitleHeight);
        FPan->SetClientWidth(100);
        QCOMPARE(FPan->width(), 100 + 2 * b);
        QCOMPARE(FPan->ClientWidth(), 100);
    }

    // Arcanoid's settings are checked and kept before its board plays.
    void arcanoidSettingsRefuseWithTheirTexts_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("refusal");
        const QString positive = QStringLiteral("Value must be >0");
        QTest::newRow("ATN 0") << "ATN" << 0 << positive;
        QTest::newRow("ATN -1") << "ATN" << -1 << positive;
        QTest::newRow("ATN 110") << "ATN" << 110 << "";
        QTest::newRow("pen 0") << "WidthAShapesPen" << 0 << "";
        QTest::newRow("pen -1") << "WidthAShapesPen" << -1 << "Value must be >=0";
        QTest::newRow("rows 13") << "ARows" << 13 << "Value must be in [14..48]";
        QTest::newRow("rows 14") << "ARows" << 14 << "";
        QTest::newRow("rows 49") << "ARows" << 49 << "Value must be in [14..48]";
        QTest::newRow("columns 25") << "AColumns" << 25 << "Value must be in [6..24]";
        QTest::newRow("levels 0") << "ALevels" << 0 << "Value must be in [1..10]";
        QTest::newRow("levels 10") << "ALevels" << 10 << "";
        QTest::newRow("levels 11") << "ALevels" << 11 << "Value must be in [1..10]";
        QTest::newRow("friction 0") << "AFriction" << 0 << "";
        QTest::newRow("friction 101") << "AFriction" << 101 << "Value must be in [0..100]";
        QTest::newRow("squares 0") << "ACreSquShape" << 0 << positive;
        QTest::newRow("steps 0") << "ASteps" << 0 << positive;
        QTest::newRow("balls 0") << "ABalls" << 0 << positive;
        QTest::newRow("delay -5") << "ADelay" << -5 << positive;
        QTest::newRow("ball size 0") << "ABHW" << 0 << positive;
        QTest::newRow("ball speed 0") << "ABSpeed" << 0 << "";
    }
    void arcanoidSettingsRefuseWithTheirTexts() {
        QFETCH(QString, setting);
        QFETCH(int, value);
        QFETCH(QString, refusal);
        using Word = std::uint16_t;
        TGamePan& p = *FPan;
        const std::map<QString, std::pair<std::function<int()>, std::function<void(int)>>> settings{
            {"ATN", {[&] { return p.ATN(); }, [&](int v) { p.SetATN(v); }}},
            {"WidthAShapesPen",
             {[&] { return p.WidthAShapesPen(); }, [&](int v) { p.SetWidthAShapesPen(v); }}},
            {"ARows", {[&] { return p.ARows(); }, [&](int v) { p.SetARows(Word(v)); }}},
            {"AColumns", {[&] { return p.AColumns(); }, [&](int v) { p.SetAColumns(Word(v)); }}},
            {"ALevels", {[&] { return p.ALevels(); }, [&](int v) { p.SetALevels(v); }}},
            {"AFriction", {[&] { return p.AFriction(); }, [&](int v) { p.SetAFriction(Word(v)); }}},
            {"ACreSquShape",
             {[&] { return p.ACreSquShape(); }, [&](int v) { p.SetACreSquShape(v); }}},
            {"ASteps", {[&] { return p.ASteps(); }, [&](int v) { p.SetASteps(v); }}},
            {"ABalls", {[&] { return p.ABalls(); }, [&](int v) { p.SetABalls(v); }}},
            {"ADelay", {[&] { return p.ADelay(); }, [&](int v) { p.SetADelay(v); }}},
            {"ABHW", {[&] { return p.ABHW(); }, [&](int v) { p.SetABHW(v); }}},
            {"ABSpeed", {[&] { return p.ABSpeed(); }, [&](int v) { p.SetABSpeed(v); }}},
        };
        const auto& [get, set] = settings.at(setting);
        // Chosen but with no game running: no notice, only the refusals.
        FPan->SetState(TState::Arcanoid);
        const int initial = get();
        set(value);
        if (refusal.isEmpty()) {
            QCOMPARE(get(), value);
            QVERIFY(FMessages->Shown.isEmpty());
        } else {
            QCOMPARE(get(), initial);
            QCOMPARE(FMessages->Texts(), QStringList{refusal});
        }
    }
};

QTEST_MAIN(TGamePanTest)
#include "test_gamepan.moc"
