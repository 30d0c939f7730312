// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's rules that need no window: Tetris levels and the look a
// new level draws, and the search for a localised font.
#include "app/localfont.h"
#include "app/tetrislevels.h"
#include "gamepan/toolkit/platform/random.h"

#include <QSet>
#include <QTest>

using namespace Tolvane;
using namespace Tolvane::TetrisLevels;

class TAppRulesTest : public QObject {
    Q_OBJECT

private slots:
    void eachLevelScoresFallsAndRisesByItsTable_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("rise");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("interval");
        const int rises[] = {10, 50, 140, 300, 550, 910, 1400, 2040, 2850, 3850};
        for (int level = 1; level <= 10; ++level)
            QTest::addRow("level %d", level)
                << level << rises[level - 1] << level * level << 520 - 50 * (level - 1);
    }
    void eachLevelScoresFallsAndRisesByItsTable() {
        QFETCH(int, level);
        QFETCH(int, rise);
        QFETCH(int, points);
        QFETCH(int, interval);
        QCOMPARE(Threshold(level), rise);
        QCOMPARE(PointsPerRow(level), points);
        QCOMPARE(FallIntervalMs(level), interval);
        QVERIFY(!Rises(level, rise - 1));
        // The top level never rises, so the fall never gets faster than 70 ms.
        QCOMPARE(Rises(level, rise), level < kMaxLevel);
        QCOMPARE(Rises(level, std::numeric_limits<std::int32_t>::max()), level < kMaxLevel);
    }

    // Each value of a new look comes from its own draw, in a fixed order;
    // the outline joins the fill on two of three draws with one colour.
    void aNewLookTakesItsDrawsInOrder() {
        const TShapeType shapes[] = {stRoundRect, stRoundRect, stRectangle, stRectangle, stEllipse};
        const TBrushStyle styles[] = {bsDiagCross, bsCross, bsSolid, bsSolid};
        const TColor ones[] = {0x00FF00, 0x00FFFF, 0xFFFFFF, 0x0000FF};
        const TColorTAFShapes modes[] = {colorRandom, colorOne, colorFixed2, colorFixed2,
                                         colorFixed2};
        const TColor pens[] = {0x808080, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
        QSet<int> penJoinedFill;
        for (std::uint32_t seed = 1; seed <= 300; ++seed) {
            FixRandomSeed(seed);
            TLook expected{shapes[Random(5)], styles[Random(4)], ones[Random(4)], modes[Random(5)],
                           pens[Random(4)]};
            if (expected.ColorMode == colorOne) {
                const int join = Random(3);
                if (join != 0) expected.PenColor = expected.OneColor;
                penJoinedFill << join;
            }
            FixRandomSeed(seed);
            QCOMPARE(DrawLook(), expected);
        }
        QCOMPARE(penJoinedFill.size(), 3);
        ReleaseRandomSeed();
    }

    void findLocalFontSearchesInThreePasses_data() {
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<bool>("geoFont");
        QTest::addColumn<QString>("fontName");
        QTest::newRow("none") << QStringList{"Arial", "DejaVu Sans"} << false << "";
        QTest::newRow("times wins over arial whatever the order")
            << QStringList{"Geo_Arial", "Geo_Times"} << true << "Geo_Times";
        QTest::newRow("arial") << QStringList{"Liberation Sans", "Geo_Arial"} << true
                               << "Geo_Arial";
        QTest::newRow("arial wins over the third pass")
            << QStringList{"Sakartvelo", "Geo_Arial"} << true << "Geo_Arial";
        QTest::newRow("named font, not used") << QStringList{"AcadNusx"} << true << "";
        QTest::newRow("chveulebrivi in any case")
            << QStringList{"My Chveulebrivi Sans"} << true << "";
        QTest::newRow("exact names only")
            << QStringList{"geo_times", "Geo_Times Bold"} << false << "";
    }
    void findLocalFontSearchesInThreePasses() {
        QFETCH(QStringList, families);
        QFETCH(bool, geoFont);
        QFETCH(QString, fontName);
        const TLocalFont found = FindLocalFont(families);
        QCOMPARE(found.GeoFont, geoFont);
        QCOMPARE(found.FontName, fontName);
    }

    void fontFamiliesAreMatchedWithoutTheirFoundry() {
        QCOMPARE(WithoutFoundries({"Geo_Times [Monotype]", "Arial", "Odd [x] Sans"}),
                 (QStringList{"Geo_Times", "Arial", "Odd [x] Sans"}));
    }
};

QTEST_GUILESS_MAIN(TAppRulesTest)
#include "test_app_rules.moc"
