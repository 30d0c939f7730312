// SPDX-License-Identifier: GPL-3.0-or-later
// The classic font families the windows ask for resolve to installed
// look-alikes, so text keeps its designed size and weight on Linux.
#include "gamepan/toolkit/platform/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QTest>

using namespace Tolvane;

class TFontsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { RegisterFontSubstitutes(); }

    void classicFamiliesResolveToLookAlikes_data() {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("resolved");
        const QString sans = QStringLiteral("Liberation Sans");
        QTest::newRow("Arial") << QStringLiteral("Arial") << false << sans;
        QTest::newRow("Arial bold") << QStringLiteral("Arial") << true << sans;
        QTest::newRow("MS Sans Serif") << QStringLiteral("MS Sans Serif") << false << sans;
        QTest::newRow("System bold") << QStringLiteral("System") << true << sans;
        QTest::newRow("Comic Sans MS")
            << QStringLiteral("Comic Sans MS") << false << QStringLiteral("Comic Neue");
        QTest::newRow("Comic Sans MS bold")
            << QStringLiteral("Comic Sans MS") << true << QStringLiteral("Comic Neue");
    }

    void classicFamiliesResolveToLookAlikes() {
        QFETCH(QString, asked);
        QFETCH(bool, bold);
        QFETCH(QString, resolved);
        QFont font(asked);
        font.setPixelSize(15);
        font.setBold(bold);
        const QFontInfo info(font);
        QCOMPARE(info.family(), resolved);
        QCOMPARE(info.bold(), bold);
        QCOMPARE(info.pixelSize(), 15);
    }
};

QTEST_MAIN(TFontsTest)
#include "test_fonts.moc"
