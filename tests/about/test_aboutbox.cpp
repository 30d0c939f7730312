// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: its layout, the two link lines, the background picture and
// its two roles, splash and modal box.
#include "about/aboutbox.h"
#include "gamepan/toolkit/platform/fonts.h"
#include "gamepan/toolkit/platform/links.h"
#include "gamepan/toolkit/widgets/colors.h"
#include "tests/support/children.h"
#include "tests/support/recordingmessages.h"

#include <QFontInfo>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Tolvane;

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPoint local = {2, 2},
               Qt::MouseButton button = Qt::LeftButton) {
    const QPointF global = widget->mapToGlobal(QPointF(local));
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent event(type, QPointF(local), global,
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void Click(QWidget* widget, QPoint pressAt = {2, 2}, QPoint releaseAt = {2, 2},
           Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(widget, QEvent::MouseButtonPress, pressAt, button);
    SendMouse(widget, QEvent::MouseButtonRelease, releaseAt, button);
}

QColor TextColor(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

// A 7 x 5 picture, blue but for a red top-left pixel: every copy of it marks
// its origin with one red pixel.
QString WriteMarkedBmp(const QTemporaryDir& dir) {
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    const QString path = dir.filePath(QStringLiteral("marked.bmp"));
    image.save(path, "BMP");
    return path;
}

bool IsMarker(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 0, 0);
}

bool HasWhiteIn(const QImage& image, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) == qRgb(255, 255, 255)) return true;
    return false;
}

} // namespace

class TAboutBoxTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TAboutBox> FBox;
    QList<QUrl> FOpened;

    QLabel* LabelNamed(const QString& name) const {
        return FBox->findChild<QLabel*>(name, Qt::FindChildrenRecursively);
    }

private slots:
    void initTestCase() { RegisterFontSubstitutes(); }

    void init() {
        FOpened.clear();
        SetLinkOpener([this](const QUrl& url) { FOpened << url; });
        FBox = std::make_unique<TAboutBox>();
    }

    void cleanup() {
        FBox.reset();
        SetLinkOpener({});
    }

    void labelsLieOnPanelAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelHeight");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        QTest::newRow("Label4") << "Label4" << QRect(8, 26, 481, 22) << "Tolvane" << 19 << true
                                << false;
        QTest::newRow("Label1") << "Label1" << QRect(16, 59, 465, 22) << "Version 1.47" << 19
                                << false << false;
        QTest::newRow("Label3") << "Label3" << QRect(8, 106, 481, 19) << QString() << 16 << true
                                << false;
        QTest::newRow("Label6") << "Label6" << QRect(16, 170, 465, 18) << kAuthorMail << 15 << true
                                << true;
        QTest::newRow("Label7") << "Label7" << QRect(16, 218, 465, 18) << kAuthorWeb << 15 << true
                                << true;
    }

    void labelsLieOnPanelAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QRect, bounds);
        QFETCH(QString, text);
        QFETCH(int, pixelHeight);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        const QLabel* label = LabelNamed(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), Child<QFrame>(*FBox, "Panel1"));
        QCOMPARE(label->geometry(), bounds);
        if (text.isNull())
            QVERIFY(!label->text().isEmpty());
        else
            QCOMPARE(label->text(), text);
        const QFontInfo font(label->font());
        QCOMPARE(font.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(font.pixelSize(), pixelHeight);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.underline(), underline);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(TextColor(label), ToQColor(clWhite));
    }

    void boxIsNavyPanelWithIconAndCaption() {
        QCOMPARE(FBox->size(), QSize(521, 287));
        QCOMPARE(FBox->windowTitle(), QStringLiteral("About Tolvane"));
        QCOMPARE(FBox->palette().color(QPalette::Window), ToQColor(clNavy));

        QFrame* panel = Child<QFrame>(*FBox, "Panel1");
        QCOMPARE(panel->geometry(), QRect(12, 7, 497, 273));
        QCOMPARE(panel->frameWidth(), 4);
        QVERIFY(panel->autoFillBackground());
        QCOMPARE(panel->palette().color(QPalette::Window), ToQColor(clNavy));
        QCOMPARE(Child<QWidget>(*FBox, "PaintBox1")->geometry(), panel->contentsRect());
        QCOMPARE(Child<QWidget>(*FBox, "PaintBox1")->geometry(), QRect(4, 4, 489, 265));

        QCOMPARE(Child<QLabel>(*FBox, "Image1")->geometry(), QRect(16, 16, 33, 41));
        QCOMPARE(Child<QLabel>(*FBox, "Image1")->pixmap().size(), QSize(32, 32));
    }

    void boxHasNoBorderIcons() {
        const Qt::WindowFlags flags = FBox->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        for (Qt::WindowType icon :
             {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
              Qt::WindowMaximizeButtonHint, Qt::WindowContextHelpButtonHint})
            QVERIFY2(!flags.testFlag(icon), qPrintable(QString::number(icon, 16)));
    }

    void okComesIntoViewOnlyInTheTallerBox() {
        QPushButton* ok = Child<QPushButton>(*FBox, "BitBtn1");
        QCOMPARE(ok->geometry(), QRect(216, 304, 91, 41));
        QVERIFY(!FBox->rect().intersects(ok->geometry()));

        FBox->resize(FBox->width(), 400);
        FBox->show();
        QCOMPARE(FBox->size(), QSize(521, 400));
        QVERIFY(FBox->rect().contains(ok->geometry()));
        // Shown, the box keeps the size its owner gave it.
        QCOMPARE(FBox->minimumSize(), QSize(521, 400));
        QCOMPARE(FBox->maximumSize(), QSize(521, 400));
    }

    void createdCentredAndOpensAtItsPosition() {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(FBox->FPosLeft, screen.left() + (screen.width() - 521) / 2);
        QCOMPARE(FBox->FPosTop, screen.top() + (screen.height() - 287) / 2);
        QVERIFY(!FBox->FPicture);

        FBox->FPosLeft = 40;
        FBox->FPosTop = 30;
        FBox->show();
        QCOMPARE(FBox->pos(), QPoint(40, 30));
    }

    void splashPaintsAtOnceAndGoesOnlyWhenHidden() {
        struct TPaintCounter : QObject {
            int Paints = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::Paint) ++Paints;
                return false;
            }
        } counter;
        FBox->installEventFilter(&counter);

        FBox->ShowSplash();
        QVERIFY(FBox->isVisible());
        QVERIFY(counter.Paints > 0);
        QCOMPARE(FBox->pos(), QPoint(FBox->FPosLeft, FBox->FPosTop));
        QVERIFY(!FBox->rect().intersects(Child<QPushButton>(*FBox, "BitBtn1")->geometry()));

        QTest::keyClick(FBox.get(), Qt::Key_Escape);
        QTest::keyClick(FBox.get(), Qt::Key_Return);
        FBox->accept();
        FBox->close();
        QVERIFY(FBox->isVisible());

        FBox->hide();
        QVERIFY(!FBox->isVisible());
    }

    // While the program holds the splash up, a window manager's late expose
    // still gets it painted; a wait that handled nothing left it blank.
    void theHeldSplashPaintsWhatItIsAskedTo() {
        FBox->ShowSplash();
        int paints = 0;
        struct TPaintCounter : QObject {
            int* Paints;
            bool eventFilter(QObject*, QEvent* event) override {
                *Paints += event->type() == QEvent::Paint;
                return false;
            }
        } counter;
        counter.Paints = &paints;
        FBox->installEventFilter(&counter);
        QTimer::singleShot(0, FBox.get(), [this] { FBox->update(); });
        FBox->HoldSplash(QDeadlineTimer(500));
        QVERIFY(paints > 0);
        QVERIFY(FBox->isVisible());
    }

    void onlyOkEndsTheModalBoxAndFreesThePicture() {
        QTemporaryDir dir;
        FBox->FBackground = WriteMarkedBmp(dir);
        FBox->LoadBackground();
        QVERIFY(FBox->FPicture);

        bool stayedUp = false;
        QTimer::singleShot(0, FBox.get(), [&] {
            QTest::keyClick(FBox.get(), Qt::Key_Escape);
            FBox->close();
            stayedUp = FBox->isVisible();
            Child<QPushButton>(*FBox, "BitBtn1")->click();
        });
        // Should OK fail to end the run, hiding it fails the test instead of hanging it.
        QTimer::singleShot(5000, FBox.get(), [&] { FBox->hide(); });
        QCOMPARE(FBox->exec(), int(QDialog::Accepted));
        QVERIFY(stayedUp);
        QVERIFY(!FBox->isVisible());
        QVERIFY(!FBox->FPicture);
    }

    void linkLineTurnsLimeUnderPointerAndWhiteElsewhere_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("elsewhere");
        for (const char* line : {"Label6", "Label7"})
            for (const char* elsewhere : {"Panel1", "PaintBox1", "Label1", "window"})
                QTest::addRow("%s then %s", line, elsewhere) << line << elsewhere;
    }

    void linkLineTurnsLimeUnderPointerAndWhiteElsewhere() {
        QFETCH(QString, line);
        QFETCH(QString, elsewhere);
        QLabel* hovered = LabelNamed(line);
        QLabel* other = LabelNamed(line == "Label6" ? "Label7" : "Label6");
        QWidget* target = elsewhere == "window" ? static_cast<QWidget*>(FBox.get())
                                                : FBox->findChild<QWidget*>(elsewhere);
        QVERIFY(target);
        FBox->show();

        SendMouse(hovered, QEvent::MouseMove);
        QCOMPARE(TextColor(hovered), ToQColor(clLime));
        QCOMPARE(TextColor(other), ToQColor(clWhite));

        SendMouse(target, QEvent::MouseMove);
        QCOMPARE(TextColor(hovered), ToQColor(clWhite));
        QCOMPARE(TextColor(other), ToQColor(clWhite));
    }

    void pressLeavesLineRedUntilPointerMoves() {
        QLabel* line = Child<QLabel>(*FBox, "Label7");
        FBox->show();
        SendMouse(line, QEvent::MouseMove);
        SendMouse(line, QEvent::MouseButtonPress);
        QCOMPARE(TextColor(line), ToQColor(clRed));
        SendMouse(line, QEvent::MouseButtonRelease);
        QCOMPARE(TextColor(line), ToQColor(clRed));
        QCOMPARE(FOpened.size(), 1);
        SendMouse(line, QEvent::MouseMove);
        QCOMPARE(TextColor(line), ToQColor(clLime));

        // Any button presses the line red; only the left one clicks.
        Click(line, {2, 2}, {2, 2}, Qt::RightButton);
        QCOMPARE(TextColor(line), ToQColor(clRed));
        QCOMPARE(FOpened.size(), 1);
    }

    void mailLineOpensMessageWithSubject() {
        FBox->show();
        Click(Child<QLabel>(*FBox, "Label6"));
        QCOMPARE(FOpened.size(), 1);
        const QUrl url = FOpened.first();
        QCOMPARE(url.path(), Child<QLabel>(*FBox, "Label6")->text());
        QCOMPARE(url.toString(),
                 QStringLiteral("mailto:") + kAuthorMail + "?subject=About Tolvane 1.47");
    }

    void webLineOpensTheAddressItShows() {
        FBox->show();
        Click(Child<QLabel>(*FBox, "Label7"));
        QCOMPARE(FOpened.size(), 1);
        QCOMPARE(FOpened.first().toString(), Child<QLabel>(*FBox, "Label7")->text());
        QVERIFY(FOpened.first().isValid());
    }

    void pressReleasedOffTheLineOpensNothing() {
        FBox->show();
        QLabel* line = Child<QLabel>(*FBox, "Label6");
        Click(line, {2, 2}, {2, line->height() + 20});
        SendMouse(line, QEvent::MouseButtonRelease);
        QVERIFY(FOpened.isEmpty());
    }

    void unreadableBackgroundIsReportedOnceAndDropped_data() {
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing file") << false;
        QTest::newRow("not a bitmap") << true;
    }

    void unreadableBackgroundIsReportedOnceAndDropped() {
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("backgr1.bmp"));
        if (exists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("BM but not really a bitmap");
        }
        TRecordingMessages messages;
        FBox->FBackground = path;
        FBox->LoadBackground();
        FBox->LoadBackground();

        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Cannot Open ") + path});
        QCOMPARE(messages.Shown.first().Type, TMsgDlgType::mtError);
        QVERIFY(!FBox->FPicture);
        QVERIFY(FBox->FBackground.isEmpty());

        const QImage shot = FBox->grab().toImage();
        QCOMPARE(shot.pixelColor(2, 2), ToQColor(clNavy));
        QCOMPARE(shot.pixelColor(100, 150), ToQColor(clNavy));
    }

    void emptyBackgroundLoadsNothing() {
        TRecordingMessages messages;
        FBox->LoadBackground();
        QVERIFY(messages.Shown.isEmpty());
        QVERIFY(!FBox->FPicture);
    }

    void pictureIsTiledOverWindowAndPaintBoxEach() {
        QTemporaryDir dir;
        FBox->FBackground = WriteMarkedBmp(dir);
        TRecordingMessages messages;
        FBox->LoadBackground();
        QVERIFY(messages.Shown.isEmpty());
        QVERIFY(FBox->FPicture);
        QCOMPARE(FBox->FPicture->Width(), 7);

        const QImage shot = FBox->grab().toImage();
        // The window margin, tiled from the window's corner out to its far edges.
        QVERIFY(IsMarker(shot, 0, 0));
        QVERIFY(IsMarker(shot, 7, 5));
        QVERIFY(!IsMarker(shot, 1, 0));
        QVERIFY(IsMarker(shot, 518, 285));
        // The paint box, tiled from its own corner (16, 11 in the window).
        const QPoint box = Child<QWidget>(*FBox, "PaintBox1")->mapTo(FBox.get(), QPoint(0, 0));
        QCOMPARE(box, QPoint(16, 11));
        QVERIFY(IsMarker(shot, box.x(), box.y()));
        QVERIFY(IsMarker(shot, box.x() + 70, box.y() + 140));
        QVERIFY(!IsMarker(shot, box.x() + 1, box.y() + 1));
        // The lines are drawn over the picture.
        QVERIFY(HasWhiteIn(shot, Child<QLabel>(*FBox, "Label4")
                                     ->geometry()
                                     .translated(Child<QFrame>(*FBox, "Panel1")->pos())));
        QVERIFY(HasWhiteIn(shot, Child<QLabel>(*FBox, "Label6")
                                     ->geometry()
                                     .translated(Child<QFrame>(*FBox, "Panel1")->pos())));
    }
};

QTEST_MAIN(TAboutBoxTest)
#include "test_aboutbox.moc"
