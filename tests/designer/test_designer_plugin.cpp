// SPDX-License-Identifier: GPL-3.0-or-later
// The built Designer plugin, loaded as Qt Designer loads it: the game panel
// it makes, in design mode, with its settings as properties.
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTest>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class TDesignerPluginTest : public QObject {
    Q_OBJECT

    QPluginLoader FLoader{QStringLiteral(TOLVANE_DESIGNER_PLUGIN)};
    QDesignerCustomWidgetInterface* FPlugin = nullptr;

private slots:
    void initTestCase() {
        QVERIFY2(FLoader.load(), qPrintable(FLoader.errorString()));
        FPlugin = qobject_cast<QDesignerCustomWidgetInterface*>(FLoader.instance());
        QVERIFY(FPlugin);
    }

    void thePanelStandsInTheWidgetBoxUnderTolvane() {
        QCOMPARE(FPlugin->name(), QStringLiteral("Tolvane::TGamePan"));
        QCOMPARE(FPlugin->group(), QStringLiteral("Tolvane"));
        QCOMPARE(FPlugin->includeFile(), QStringLiteral("gamepan/gamepan.h"));
        QVERIFY(!FPlugin->isContainer());
        QVERIFY(FPlugin->domXml().contains(QLatin1String("class=\"Tolvane::TGamePan\"")));
    }

    // The property editor lists every setting with its type and initial
    // value; the enumerations as lists of their values.
    void theMadePanelShowsItsSettingsAsProperties_data() {
        QTest::addColumn<QVariant>("initial");
        QTest::addColumn<QString>("enumeration");
        QTest::newRow("TRows") << QVariant(20) << "";
        QTest::newRow("ColorTB") << QVariant(QColor(Qt::black)) << "";
        QTest::newRow("FSquare") << QVariant() << "Big Small";
        QTest::newRow("ShapesTShape")
            << QVariant() << "stRectangle stSquare stRoundRect stRoundSquare stEllipse stCircle";
        QTest::newRow("State") << QVariant() << "StPanel Scramble Tetris Arcanoid Figures";
    }
    void theMadePanelShowsItsSettingsAsProperties() {
        QFETCH(QVariant, initial);
        QFETCH(QString, enumeration);
        const std::unique_ptr<QWidget> pan(FPlugin->createWidget(nullptr));
        QCOMPARE(pan->metaObject()->className(), "Tolvane::TGamePan");
        const QMetaObject& meta = *pan->metaObject();
        const QMetaProperty property = meta.property(meta.indexOfProperty(QTest::currentDataTag()));
        QVERIFY(property.isValid() && property.isDesignable() && property.isWritable());
        if (initial.isValid()) QCOMPARE(pan->property(QTest::currentDataTag()), initial);
        if (!enumeration.isEmpty()) {
            QVERIFY(property.isEnumType());
            QStringList keys;
            for (int i = 0; i < property.enumerator().keyCount(); ++i)
                keys << property.enumerator().key(i);
            QCOMPARE(keys.join(' '), enumeration);
        }
    }

    // On a form a game can be chosen and started without a board appearing.
    void aPanelOnAFormBuildsNoBoard() {
        const std::unique_ptr<QWidget> pan(FPlugin->createWidget(nullptr));
        QVERIFY(pan->setProperty("State", QStringLiteral("Tetris")));
        QVERIFY(pan->setProperty("Start", true));
        QCOMPARE(pan->property("State").toInt(), 2);
        QVERIFY(pan->findChildren<QWidget*>().isEmpty());
    }
};

QTEST_MAIN(TDesignerPluginTest)
#include "test_designer_plugin.moc"
