// SPDX-License-Identifier: GPL-3.0-or-later
// Every setting of the game panel as a Qt property: written and read by
// name with its setter's checks, and pushed into a new board of its game.
#include "gamepan/gamepan.h"
#include "gamepan/wiring.h"
#include "games/arcanoid/rcnd.h"
#include "games/tetris/ttrs.h"
#include "tests/gamepan/panelfixture.h"

#include <QMetaProperty>
#include <QSet>
#include <QTest>

using namespace Tolvane;

namespace {

QVariant Color(TColor color) {
    return ToPropertyColor(color);
}

QSet<QString> RowNames() {
    QSet<QString> names;
    for (const TSettingRow& row : GeneralRows()) names << row.Name;
    for (const TState game : {TState::Scramble, TState::Tetris, TState::Arcanoid, TState::Figures})
        for (const TSettingRow& row : WiringOf(game)->Rows()) names << row.Name;
    return names;
}

// One row per setting: a value it takes, and one it refuses if it checks.
struct TSettingCase {
    const char* Name;
    QVariant Value;
    QVariant Refused{};
    QString Refusal{};
};

const QList<TSettingCase>& SettingCases() {
    const QString positive = "Value must be >0";
    static const QList<TSettingCase> cases{
        {"ShowScoresTime", false},
        {"ShowAllDlgs", false},
        {"WithCaption", false},
        {"DefKeys", false},
        {"TimerFocus", true},
        {"PicStretch", false},
        {"BStPicture", "b.bmp"},
        {"AOverPicture", "o.bmp"},
        {"About", "credit"},
        {"SRowsColumns", 8, 9, "Value must be in [2..8]"},
        {"ColorSB", Color(clTeal)},
        {"TRows", 48, 5, "Value must be in [6..48]"},
        {"TColumns", 6, 25, "Value must be in [6..24]"},
        {"TDelay", 90},
        {"TCoeff", 9},
        {"ColorTB", Color(clNavy)},
        {"ColorTF", Color(clBtnFace)},
        {"ColorTShapes", QVariant::fromValue(colorRandom)},
        {"OneColorTShapes", Color(clRed)},
        {"ColorTShapesPen", Color(clGray)},
        {"WidthTShapesPen", 3, 0, positive},
        {"ShapesTShape", QVariant::fromValue(stEllipse)},
        {"ShapesTBrushStyle", QVariant::fromValue(bsDiagCross)},
        {"NextSColorT", true},
        {"ARows", 14, 49, "Value must be in [14..48]"},
        {"AColumns", 24, 5, "Value must be in [6..24]"},
        {"ALevels", 1, 11, "Value must be in [1..10]"},
        {"ABalls", 9, 0, positive},
        {"ADelay", 25, -1, positive},
        {"ACoeff", 4},
        {"ASteps", 80, 0, positive},
        {"ABSpeed", 120},
        {"ASSpeed", 60},
        {"ATN", 110, 0, positive},
        {"ATL", 170, -1, positive},
        {"ATS", 50, 0, positive},
        {"ABHW", 60, 0, positive},
        {"AFriction", 100, 101, "Value must be in [0..100]"},
        {"ACreSquShape", 1, 0, positive},
        {"AStrongShapes", false},
        {"AIMMDelShapes", true},
        {"AEndStop", true},
        {"ColorAB", Color(clPurple)},
        {"ColorABl", Color(clAqua)},
        {"ColorAT", Color(clFuchsia)},
        {"ColorAShapes", QVariant::fromValue(colorOne)},
        {"OneColorAShapes", Color(clOlive)},
        {"ColorAShapesPen", Color(clMaroon)},
        {"WidthAShapesPen", 0, -1, "Value must be >=0"},
        {"ShapesAShape", QVariant::fromValue(stCircle)},
        {"ShapesABrushStyle", QVariant::fromValue(bsCross)},
        {"FSquare", QVariant::fromValue(Small)},
        {"FWidthHeight", 90, 39, "Value must be in [40..90]"},
        {"ColorFShapes", QVariant::fromValue(colorFixed), QVariant::fromValue(colorOne),
         "This Value is Available only for Tetris and Arcanoid"},
        {"ColorFB", Color(clGreen)},
    };
    return cases;
}

} // namespace

class TGamePanPropertiesTest : public QObject, protected TPanelFixture {
    Q_OBJECT

    QMetaProperty Property(const char* name) const {
        const QMetaObject& meta = *FPan->metaObject();
        return meta.property(meta.indexOfProperty(name));
    }

private slots:
    void init() { SetUpPanel(17, {700, 500}, {80, 8, 433, 353}); }
    void cleanup() { TearDownPanel(); }

    void everySettingIsAPropertyWithItsSettersChecks_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("refused");
        QTest::addColumn<QString>("refusal");
        for (const TSettingCase& setting : SettingCases())
            QTest::newRow(setting.Name) << setting.Value << setting.Refused << setting.Refusal;
    }
    void everySettingIsAPropertyWithItsSettersChecks() {
        QFETCH(QVariant, value);
        QFETCH(QVariant, refused);
        QFETCH(QString, refusal);
        const char* name = QTest::currentDataTag();
        const QMetaProperty property = Property(name);
        QVERIFY(property.isWritable() && property.isStored() && property.isDesignable());
        QVERIFY(FPan->property(name) != value);

        QVERIFY(FPan->setProperty(name, value));
        QCOMPARE(FPan->property(name), value);
        if (refused.isValid()) {
            QVERIFY(FPan->setProperty(name, refused));
            QCOMPARE(FPan->property(name), value);
            QCOMPARE(FMessages->Texts(), QStringList{refusal});
        } else {
            QVERIFY(FMessages->Shown.isEmpty());
        }
    }

    // The table above covers every setting row and no other name.
    void theTableCoversEverySettingRow() {
        QSet<QString> tabled;
        for (const TSettingCase& setting : SettingCases()) tabled << setting.Name;
        QCOMPARE(tabled, RowNames());
        QCOMPARE(tabled.size(), 55);
    }

    // A new board takes every setting its game keeps in the board's own
    // settings, whatever was changed before it was built.
    void aNewBoardTakesEverySettingOfItsGame() {
        FPan->SetColorTShapes(colorOne);
        FPan->SetColorTF(clTeal);
        FPan->SetNextSColorT(true);
        FPan->SetShapesTShape(stCircle);
        FPan->SetState(TState::Tetris);
        QVERIFY(FPan->BoardAs<TTtrs>()->Look() ==
                static_cast<const Tetris::TSettings&>(FPan->Settings().Tetris));
        FPan->SetATS(40);
        FPan->SetAFriction(0);
        FPan->SetColorAShapes(colorRandom);
        FPan->SetAEndStop(true);
        FPan->SetState(TState::Arcanoid);
        QVERIFY(FPan->BoardAs<TRcnd>()->Field().Settings() ==
                static_cast<const Arcanoid::TSettings&>(FPan->Settings().Arcanoid));
    }

    // A system colour travels as today's palette colour with its number in
    // the alpha channel, so a form keeps the button face, not today's grey.
    void coloursTravelAsQColorsAndSystemColoursKeepTheirMeaning() {
        FPan->SetColorSB(clBtnFace);
        const QColor shown = FPan->property("ColorSB").value<QColor>();
        QCOMPARE(shown.rgb(), ToQColor(clBtnFace).rgb());
        QVERIFY(FPan->setProperty("ColorTB", shown));
        QCOMPARE(FPan->ColorTB(), clBtnFace);
        QVERIFY(FPan->setProperty("ColorTB", QColor(255, 0, 0)));
        QCOMPARE(FPan->ColorTB(), clRed);
        QVERIFY(FPan->setProperty("ColorTB", QColor(0, 0, 255, 10)));
        QCOMPARE(FPan->ColorTB(), clBlue);
    }

    // Mode and play are properties, never stored in a form; the counters
    // are read-only.
    void playAndCountersArePropertiesNotStored() {
        QVERIFY(FPan->setProperty("State", QVariant::fromValue(TState::Scramble)));
        QVERIFY(FPan->BoardAs<QWidget>());
        QVERIFY(FPan->setProperty("Start", true));
        QVERIFY(FPan->Start());
        QVERIFY(FPan->setProperty("Direction", 6));
        QCOMPARE(FPan->Direction(), 6);
        for (const char* name : {"State", "Start", "Paused", "Direction"})
            QVERIFY(!Property(name).isStored());
        for (const char* name : {"ScrambleMoves", "TetrisScore", "TetrisNext", "ArcanoidScore",
                                 "ArcanoidLevel", "FiguresMoves"})
            QVERIFY(!Property(name).isWritable());
        QCOMPARE(FPan->property("TetrisNext").toInt(), 7);
    }
};

QTEST_MAIN(TGamePanPropertiesTest)
#include "test_gamepan_properties.moc"
