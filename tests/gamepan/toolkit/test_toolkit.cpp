// SPDX-License-Identifier: GPL-3.0-or-later
// The helpers every board and window shares: keys, shapes, pictures, timers,
// random numbers and colours.
#include "gamepan/toolkit/platform/keyboardstate.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/picture.h"
#include "gamepan/toolkit/widgets/shapecache.h"
#include "gamepan/toolkit/widgets/shapes.h"
#include "gamepan/toolkit/widgets/timer.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <malloc.h>

using namespace Tolvane;

namespace {

QImage Render(const TShapeLook& look, QSize size = QSize(40, 20)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    PaintShape(painter, QRect(QPoint(0, 0), size), look);
    return image;
}

QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

} // namespace

class TToolkitTest : public QObject {
    Q_OBJECT
private slots:
    // A shape drawn from its cached picture is the shape drawn directly, at
    // any place, hatches starting at the shape's own corner.
    void cachedShapesMatchDirectPainting_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("brush");
        QTest::addColumn<int>("pen");
        for (int shape = stRectangle; shape <= stCircle; ++shape)
            for (int brush : {int(bsSolid), int(bsClear), int(bsCross), int(bsFDiagonal)})
                for (int pen : {1, 3})
                    QTest::addRow("shape %d brush %d pen %d", shape, brush, pen)
                        << shape << brush << pen;
    }
    void cachedShapesMatchDirectPainting() {
        QFETCH(int, shape);
        QFETCH(int, brush);
        QFETCH(int, pen);
        const TShapeLook look{.Shape = TShapeType(shape),
                              .PenColor = clWhite,
                              .PenWidth = pen,
                              .BrushColor = clRed,
                              .BrushStyle = TBrushStyle(brush)};
        QImage direct(120, 70, QImage::Format_RGB32);
        direct.fill(Qt::darkBlue);
        QImage cached = direct;
        TShapeCache cache;
        for (const QRect& bounds :
             {QRect(3, 5, 27, 20), QRect(41, 38, 27, 20), QRect(75, 9, 31, 31)}) {
            QPainter painter(&direct);
            PaintShape(painter, bounds, look);
            QPainter fromCache(&cached);
            cache.Paint(fromCache, bounds, look);
        }
        QCOMPARE(cached, direct);
        QCOMPARE(cache.Size(), 2); // two sizes of one look
    }

    void shapeCacheStaysWithinItsBudget() {
        QImage image(200, 200, QImage::Format_RGB32);
        QPainter painter(&image);
        TShapeCache cache;
        const QRect block(0, 0, 100, 100); // 40000 bytes a picture
        const qint64 budget = TShapeCache::BudgetBytes(image);
        const int fit = int(budget / 40000);
        for (int i = 0; i < fit; ++i) cache.Paint(painter, block, {.BrushColor = TColor(i)});
        QCOMPARE(int(cache.Size()), fit);
        cache.Paint(painter, block, {.BrushColor = TColor(0)}); // a look it has
        QCOMPARE(int(cache.Size()), fit);
        cache.Paint(painter, block, {.BrushColor = TColor(fit)}); // one too many
        QVERIFY(cache.Bytes() <= budget);
        QCOMPARE(cache.Size(), 1);
        // Pictures made anew are drawn right.
        image.fill(Qt::black);
        cache.Paint(painter, block, {.BrushColor = clLime});
        QCOMPARE(QColor(image.pixel(50, 50)), QColor(0, 255, 0));
    }

    // Blocks in random colours, game after game, on the boards' devices: one
    // full repaint's pictures are all kept, and however many games follow,
    // the pictures never take more than twice the device's own pixels.
    void shapePicturesStayWithinTwiceTheDevice_data() {
        QTest::addColumn<QSize>("device");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("block");
        QTest::newRow("tetris well") << QSize(160, 336) << 1.0 << QSize(14, 16);
        QTest::newRow("tetris well, ratio 2") << QSize(160, 336) << 2.0 << QSize(14, 16);
        QTest::newRow("arcanoid field") << QSize(425, 330) << 1.0 << QSize(35, 11);
        QTest::newRow("large field") << QSize(1200, 900) << 1.0 << QSize(50, 30);
    }
    void shapePicturesStayWithinTwiceTheDevice() {
        QFETCH(QSize, device);
        QFETCH(qreal, ratio);
        QFETCH(QSize, block);
        QImage image(device * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        TShapeCache cache;
        const int columns = device.width() / block.width();
        const int cells = columns * (device.height() / block.height());
        const qint64 twiceTheDevice = 2 * qint64(image.width()) * image.height() * 4;
        TColor color = 0;
        for (int game = 0; game < 40; ++game)
            for (int cell = 0; cell < cells; ++cell) {
                const QPoint at(cell % columns * block.width(), cell / columns * block.height());
                cache.Paint(painter, QRect(at, block), {.BrushColor = color++});
                if (game == 0) QCOMPARE(int(cache.Size()), cell + 1);
                QVERIFY2(
                    cache.Bytes() <= twiceTheDevice,
                    qPrintable(QStringLiteral("%1 bytes in game %2").arg(cache.Bytes()).arg(game)));
            }
    }

    // A cached picture holds its pixels and little more: no paint engine,
    // which would take several times a small block's pixels.
    void shapePicturesHoldLittleBesideTheirPixels_data() {
        QTest::addColumn<QSize>("block");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("small block") << QSize(14, 16) << 1.0;
        QTest::newRow("small block, ratio 2") << QSize(14, 16) << 2.0;
        QTest::newRow("brick") << QSize(35, 11) << 1.0;
    }
    void shapePicturesHoldLittleBesideTheirPixels() {
        QFETCH(QSize, block);
        QFETCH(qreal, ratio);
        // The heap's own count of bytes in use; a replaced allocator (the
        // sanitizers') keeps its count elsewhere.
        const auto inUse = [] {
            const struct mallinfo2 heap = mallinfo2();
            return qint64(heap.uordblks + heap.hblkhd);
        };
        constexpr std::size_t kProbeBytes = 64 * 1024;
        const qint64 before = inUse();
        auto* volatile probe = static_cast<char*>(std::malloc(kProbeBytes));
        const bool counted = inUse() - before >= qint64(kProbeBytes);
        std::free(probe);
        if (!counted) QSKIP("the heap's statistics do not count this program's allocations");

        QImage image(QSize(800, 600) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        TShapeCache cache;
        cache.Paint(painter, QRect(QPoint(0, 0), block), {.BrushColor = TColor(0)});
        const qint64 start = inUse() - cache.Bytes();
        constexpr int kPictures = 200;
        for (int i = 1; i <= kPictures; ++i)
            cache.Paint(painter, QRect(QPoint(0, 0), block), {.BrushColor = TColor(i)});
        QCOMPARE(int(cache.Size()), kPictures + 1);
        const qint64 besides = (inUse() - start - cache.Bytes()) / kPictures;
        QVERIFY2(besides < 1024, qPrintable(QStringLiteral("%1 bytes a picture").arg(besides)));
    }

    // The keypad is known by Qt's keypad modifier (X11) or by the key's own
    // symbol (Wayland, where Qt leaves the modifier off); a keypad key with
    // NumLock off is the cursor key it stands for.
    void keypadKeysAreKnownByModifierOrSymbol_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<uint>("keysym");
        QTest::addColumn<int>("vk");
        QTest::newRow("numlock on 4") << int(Qt::Key_4) << true << 0u << int(VK_NUMPAD4);
        QTest::newRow("numlock on 8") << int(Qt::Key_8) << true << 0u << int(VK_NUMPAD8);
        QTest::newRow("numlock on 5") << int(Qt::Key_5) << true << 0u << int(VK_NUMPAD5);
        QTest::newRow("top row 4") << int(Qt::Key_4) << false << 0u << int('4');
        QTest::newRow("top row 4 by symbol") << int(Qt::Key_4) << false << 0x34u << int('4');
        QTest::newRow("wayland 0") << int(Qt::Key_0) << false << 0xffb0u << int(VK_NUMPAD0);
        QTest::newRow("wayland 4") << int(Qt::Key_4) << false << 0xffb4u << int(VK_NUMPAD4);
        QTest::newRow("wayland 9") << int(Qt::Key_9) << false << 0xffb9u << int(VK_NUMPAD9);
        QTest::newRow("x11 2") << int(Qt::Key_2) << true << 0xffb2u << int(VK_NUMPAD2);
        QTest::newRow("numlock off 4") << int(Qt::Key_Left) << true << 0u << int(VK_LEFT);
        QTest::newRow("numlock off 8") << int(Qt::Key_Up) << true << 0u << int(VK_UP);
        QTest::newRow("numlock off 5") << int(Qt::Key_Clear) << true << 0u << int(VK_CLEAR);
        QTest::newRow("numlock off 2") << int(Qt::Key_Down) << true << 0u << int(VK_DOWN);
        QTest::newRow("wayland KP_Left") << int(Qt::Key_Left) << false << 0xff96u << int(VK_LEFT);
        QTest::newRow("wayland KP_Begin")
            << int(Qt::Key_Clear) << false << 0xff9du << int(VK_CLEAR);
        QTest::newRow("wayland KP_Down") << int(Qt::Key_Down) << false << 0xff99u << int(VK_DOWN);
        // A keysym Qt has no key for still names the keypad key.
        QTest::newRow("bare KP_Right") << 0 << false << 0xff98u << int(VK_RIGHT);
        QTest::newRow("bare KP_Up") << 0 << false << 0xff97u << int(VK_UP);
        QTest::newRow("bare KP_6") << 0 << false << 0xffb6u << int(VK_NUMPAD6);
        QTest::newRow("return") << int(Qt::Key_Return) << false << 0u << int(VK_RETURN);
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << true << 0u << int(VK_RETURN);
        QTest::newRow("space") << int(Qt::Key_Space) << false << 0x20u << int(VK_SPACE);
        QTest::newRow("letter") << int(Qt::Key_R) << false << 0u << int('R');
        QTest::newRow("unknown") << int(Qt::Key_F35) << false << 0u << 0;
        // Symbols beside the keypad block are not keypad keys.
        QTest::newRow("KP_Equal") << int(Qt::Key_Equal) << false << 0xffbdu << 0;
        QTest::newRow("KP_Multiply") << int(Qt::Key_Asterisk) << false << 0xffaau << 0;
    }
    void keypadKeysAreKnownByModifierOrSymbol() {
        QFETCH(int, qtKey);
        QFETCH(bool, keypad);
        QFETCH(uint, keysym);
        QFETCH(int, vk);
        const QKeyEvent event(QEvent::KeyPress, qtKey, keypad ? Qt::KeypadModifier : Qt::NoModifier,
                              0, keysym, 0);
        QCOMPARE(int(VirtualKey(event)), vk);
    }

    // Off the X server the NumLock state is the keyboards' LEDs: each LED
    // is "name brightness", a brightness "-" a file that cannot be read.
    void numLockComesFromTheKeyboardLeds_data() {
        QTest::addColumn<QStringList>("leds");
        QTest::addColumn<bool>("on");
        QTest::newRow("one keyboard, dark") << QStringList{"input3::numlock 0"} << false;
        QTest::newRow("one keyboard, lit") << QStringList{"input3::numlock 1"} << true;
        QTest::newRow("every keyboard dark")
            << QStringList{"input3::numlock 0", "input9::numlock 0", "input3::capslock 1"} << false;
        QTest::newRow("one of two lit")
            << QStringList{"input3::numlock 0", "input9::numlock 1"} << true;
        QTest::newRow("no keyboard LED") << QStringList{"input3::capslock 0"} << true;
        QTest::newRow("no LEDs at all") << QStringList{} << true;
        QTest::newRow("unreadable counts for nothing")
            << QStringList{"input3::numlock -", "input9::numlock 0"} << false;
        QTest::newRow("only unreadable") << QStringList{"input3::numlock -"} << true;
        QTest::newRow("junk") << QStringList{"input3::numlock x"} << true;
    }
    void numLockComesFromTheKeyboardLeds() {
        QFETCH(QStringList, leds);
        QFETCH(bool, on);
        QTemporaryDir folder;
        for (const QString& led : leds) {
            const QStringList parts = led.split(QLatin1Char(' '));
            QVERIFY(QDir(folder.path()).mkdir(parts[0]));
            if (parts[1] == QLatin1String("-")) continue;
            QFile brightness(folder.filePath(parts[0] + QStringLiteral("/brightness")));
            QVERIFY(brightness.open(QIODevice::WriteOnly));
            brightness.write(parts[1].toLatin1() + '\n');
        }
        SetLedFolder(folder.path());
        const bool seen = NumLockOn();
        SetLedFolder({});
        QCOMPARE(seen, on);
    }

    void colourValuesHaveRedInTheLowByte() {
        QCOMPARE(ToQColor(clRed), QColor(255, 0, 0));
        QCOMPARE(ToQColor(clNavy), QColor(0, 0, 128));
        QCOMPARE(ToQColor(0x123456), QColor(0x56, 0x34, 0x12));
        QCOMPARE(FromQColor(QColor(0x56, 0x34, 0x12)), 0x123456);
        QCOMPARE(ToQColor(clBtnFace), QGuiApplication::palette().color(QPalette::Button));
    }

    void theOutlineIsInsetByHalfThePen() {
        const QImage image = Render({.Shape = stRectangle,
                                     .PenColor = clWhite,
                                     .PenWidth = 4,
                                     .BrushColor = clRed,
                                     .BrushStyle = bsSolid});
        QCOMPARE(At(image, 0, 10), QColor(Qt::white));
        QCOMPARE(At(image, 3, 10), QColor(Qt::white));
        QCOMPARE(At(image, 39, 10), QColor(Qt::white));
        QCOMPARE(At(image, 20, 0), QColor(Qt::white));
        QCOMPARE(At(image, 20, 10), QColor(Qt::red));
    }

    void squareKindsUseTheLargestCentredSquare_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("square");
        QTest::newRow("rectangle") << int(stRectangle) << false;
        QTest::newRow("square") << int(stSquare) << true;
        QTest::newRow("round square") << int(stRoundSquare) << true;
        QTest::newRow("circle") << int(stCircle) << true;
        QTest::newRow("ellipse") << int(stEllipse) << false;
    }
    void squareKindsUseTheLargestCentredSquare() {
        QFETCH(int, shape);
        QFETCH(bool, square);
        const QImage image = Render({.Shape = static_cast<TShapeType>(shape),
                                     .PenColor = clRed,
                                     .PenWidth = 1,
                                     .BrushColor = clRed,
                                     .BrushStyle = bsSolid});
        // The 40 x 20 bounds: a square shape keeps to columns 10..29.
        QCOMPARE(At(image, 20, 10), QColor(Qt::red));
        QCOMPARE(At(image, 5, 10) == QColor(Qt::black), square);
        QCOMPARE(At(image, 34, 10) == QColor(Qt::black), square);
    }

    void cornersArePaintedOnlyBySharpKinds_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<bool>("painted");
        // In 40 x 20 bounds the square kinds keep to columns 10..29.
        QTest::newRow("rectangle") << int(stRectangle) << QPoint(0, 0) << true;
        QTest::newRow("square") << int(stSquare) << QPoint(10, 0) << true;
        QTest::newRow("round rect") << int(stRoundRect) << QPoint(0, 0) << false;
        QTest::newRow("round square") << int(stRoundSquare) << QPoint(10, 0) << false;
        QTest::newRow("ellipse") << int(stEllipse) << QPoint(0, 0) << false;
        QTest::newRow("circle") << int(stCircle) << QPoint(10, 0) << false;
    }
    void cornersArePaintedOnlyBySharpKinds() {
        QFETCH(int, shape);
        QFETCH(QPoint, corner);
        QFETCH(bool, painted);
        const QImage image = Render({.Shape = static_cast<TShapeType>(shape),
                                     .PenColor = clRed,
                                     .PenWidth = 1,
                                     .BrushColor = clRed,
                                     .BrushStyle = bsSolid});
        QCOMPARE(At(image, corner.x(), corner.y()) == QColor(Qt::red), painted);
        QCOMPARE(At(image, 20, 10), QColor(Qt::red));
    }

    void eachBrushStyleFillsItsOwnPattern_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QPoint>("lineStep"); // a step along which the fill never changes
        QTest::addColumn<bool>("gaps");       // the background shows between lines
        QTest::addColumn<bool>("lines");      // the brush colour appears at all
        QTest::newRow("solid") << int(bsSolid) << QPoint(1, 0) << false << true;
        QTest::newRow("clear") << int(bsClear) << QPoint(1, 0) << true << false;
        QTest::newRow("horizontal") << int(bsHorizontal) << QPoint(1, 0) << true << true;
        QTest::newRow("vertical") << int(bsVertical) << QPoint(0, 1) << true << true;
        QTest::newRow("forward diagonal") << int(bsFDiagonal) << QPoint(1, 1) << true << true;
        QTest::newRow("backward diagonal") << int(bsBDiagonal) << QPoint(1, -1) << true << true;
        QTest::newRow("cross") << int(bsCross) << QPoint(0, 0) << true << true;
        QTest::newRow("diagonal cross") << int(bsDiagCross) << QPoint(0, 0) << true << true;
    }
    void eachBrushStyleFillsItsOwnPattern() {
        QFETCH(int, style);
        QFETCH(QPoint, lineStep);
        QFETCH(bool, gaps);
        QFETCH(bool, lines);
        const QImage image = Render({.Shape = stRectangle,
                                     .PenColor = clWhite,
                                     .PenWidth = 1,
                                     .BrushColor = clRed,
                                     .BrushStyle = static_cast<TBrushStyle>(style)},
                                    QSize(40, 40));
        int red = 0;
        int black = 0;
        bool alongLines = true;
        for (int y = 2; y < 38; ++y)
            for (int x = 2; x < 38; ++x) {
                const QColor c = At(image, x, y);
                QVERIFY2(c == QColor(Qt::red) || c == QColor(Qt::black),
                         "only brush or background");
                (c == QColor(Qt::red) ? red : black)++;
                if (At(image, x + lineStep.x(), y + lineStep.y()) != c) alongLines = false;
            }
        QCOMPARE(black > 0, gaps);
        QCOMPARE(red > 0, lines);
        if (!lineStep.isNull()) QVERIFY(alongLines);
        if (style == bsCross || style == bsDiagCross) {
            // Two sets of lines cross: no single direction keeps the fill.
            bool rows = true;
            bool columns = true;
            for (int y = 2; y < 37; ++y)
                for (int x = 2; x < 37; ++x) {
                    rows = rows && At(image, x + 1, y) == At(image, x, y);
                    columns = columns && At(image, x, y + 1) == At(image, x, y);
                }
            QVERIFY(!rows && !columns);
        }
    }

    void clearAndHatchedBrushesLetTheBackgroundShowThrough() {
        const QImage clear = Render({.Shape = stRectangle,
                                     .PenColor = clWhite,
                                     .PenWidth = 1,
                                     .BrushColor = clRed,
                                     .BrushStyle = bsClear});
        for (int x = 1; x < 39; ++x) QCOMPARE(At(clear, x, 10), QColor(Qt::black));

        const QImage hatched = Render({.Shape = stRectangle,
                                       .PenColor = clWhite,
                                       .PenWidth = 1,
                                       .BrushColor = clRed,
                                       .BrushStyle = bsHorizontal},
                                      QSize(40, 40));
        int red = 0;
        int black = 0;
        for (int y = 1; y < 39; ++y) {
            const QColor c = At(hatched, 20, y);
            if (c == QColor(Qt::red))
                ++red;
            else if (c == QColor(Qt::black))
                ++black;
            // A horizontal hatch paints whole rows or none of a row.
            QCOMPARE(At(hatched, 10, y), c);
        }
        QVERIFY(red > 0);
        QVERIFY(black > red);
    }

    void picturesTileFromTheCornerAndCoverTheWholeArea() {
        QTemporaryDir dir;
        QImage source(3, 2, QImage::Format_RGB32);
        source.fill(Qt::green);
        source.setPixel(0, 0, qRgb(255, 0, 0));
        const QString path = dir.filePath("tile.bmp");
        QVERIFY(source.save(path, "BMP"));
        TPicture picture;
        QVERIFY(picture.LoadFromFile(path));
        QCOMPARE(picture.Width(), 3);

        QImage area(10, 5, QImage::Format_RGB32);
        area.fill(Qt::black);
        QPainter painter(&area);
        picture.DrawTiled(painter, area.size());
        painter.end();
        for (int x : {0, 3, 6, 9})
            for (int y : {0, 2, 4}) QCOMPARE(At(area, x, y), QColor(Qt::red));
        QCOMPARE(At(area, 1, 1), QColor(Qt::green));
        QCOMPARE(At(area, 9, 4), QColor(Qt::red));
    }

    void tilingCopiesOneColumnAndRowPastTheAreaWhenItDividesEvenly() {
        // i runs 0 .. width div w and j 0 .. height div h, both inclusive: a
        // 9 x 4 area with 3 x 2 tiles gets four columns and three rows of them.
        QTemporaryDir dir;
        QImage source(3, 2, QImage::Format_RGB32);
        source.fill(Qt::green);
        const QString path = dir.filePath("tile.bmp");
        QVERIFY(source.save(path, "BMP"));
        TPicture picture;
        QVERIFY(picture.LoadFromFile(path));
        QImage canvas(20, 10, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        picture.DrawTiled(painter, QSize(9, 4));
        painter.end();
        QCOMPARE(At(canvas, 11, 5), QColor(Qt::green));
        QCOMPARE(At(canvas, 12, 0), QColor(Qt::black));
        QCOMPARE(At(canvas, 0, 6), QColor(Qt::black));
    }

    void aPictureThatCannotLoadStaysEmptyAndDrawsNothing() {
        QTemporaryDir dir;
        const QString notBmp = dir.filePath("text.bmp");
        QFile file(notBmp);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a bitmap");
        file.close();
        TPicture picture;
        QVERIFY(!picture.LoadFromFile(dir.filePath("missing.bmp")));
        QVERIFY(!picture.LoadFromFile(notBmp));
        QVERIFY(picture.IsEmpty());
        QImage area(4, 4, QImage::Format_RGB32);
        area.fill(Qt::black);
        QPainter painter(&area);
        picture.DrawTiled(painter, area.size());
        picture.StretchDraw(painter, area.rect());
        painter.end();
        QCOMPARE(At(area, 2, 2), QColor(Qt::black));
    }

    // Files a player may leave in the folder under a picture's name. Each is
    // refused from its first bytes; none is decoded into a huge image.
    void malformedPicturesAreRefused_data() {
        QTest::addColumn<QByteArray>("content");
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray good;
        QBuffer buffer(&good);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        QByteArray huge = good;
        const auto put32 = [](QByteArray& bytes, int at, std::uint32_t value) {
            for (int i = 0; i < 4; ++i) bytes[at + i] = char(value >> (8 * i));
        };
        put32(huge, 18, 30000);
        put32(huge, 22, 30000);
        QTest::newRow("sound") << QByteArray("RIFF\x10\0\0\0WAVEfmt ");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << good.left(54);
        QTest::newRow("truncated rows") << good.left(good.size() - 200);
        QTest::newRow("claims 30000 x 30000") << huge;
        QTest::newRow("png") << [] {
            QByteArray png;
            QBuffer out(&png);
            out.open(QIODevice::WriteOnly);
            QImage(8, 8, QImage::Format_RGB32).save(&out, "PNG");
            return png;
        }();
    }
    void malformedPicturesAreRefused() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QFile file(dir.filePath("backgr1.bmp"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        TPicture picture;
        QVERIFY(!picture.LoadFromFile(file.fileName()));
        QVERIFY(picture.IsEmpty());
    }

    void aFolderOfAPicturesNameIsNotAPicture() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("backgr1.bmp"));
        TPicture picture;
        QVERIFY(!picture.LoadFromFile(dir.filePath("backgr1.bmp")));
        // The shipped pictures all load.
        for (int i = 1; i <= 5; ++i)
            QVERIFY(
                picture.LoadFromFile(QStringLiteral(TOLVANE_PICTURES_DIR "/backgr%1.bmp").arg(i)));
    }

    void aTimerDestroyedInItsOwnTickTicksNoMore() {
        int ticks = 0;
        std::unique_ptr<TTimer> timer;
        timer = std::make_unique<TTimer>([&] {
            ++ticks;
            timer.reset();
        });
        timer->SetInterval(5);
        QTest::qWait(100);
        QCOMPARE(ticks, 1);
        QVERIFY(!timer);
    }

    void aDisabledTimerTicksNoMoreUntilEnabled() {
        int ticks = 0;
        TTimer* self = nullptr;
        TTimer timer([&] {
            ++ticks;
            self->SetEnabled(false);
        });
        self = &timer;
        timer.SetInterval(5);
        QTest::qWait(60);
        QCOMPARE(ticks, 1);
        timer.SetEnabled(true);
        QTRY_COMPARE(ticks, 2);
        QCOMPARE(timer.Interval(), 5);
    }

    // A fall timer given the same delay again keeps its count; a new delay
    // starts it over.
    void onlyANewIntervalRestartsTheCount() {
        TTimer timer([] {});
        timer.SetInterval(1000);
        QTest::qWait(300);
        timer.SetInterval(1000);
        const int kept = timer.RemainingMs();
        QVERIFY2(kept >= 0 && kept <= 800, qPrintable(QString::number(kept)));
        timer.SetInterval(2000);
        QVERIFY2(timer.RemainingMs() > 1500, qPrintable(QString::number(timer.RemainingMs())));
        timer.SetEnabled(false);
        QCOMPARE(timer.RemainingMs(), -1);
    }

    void randomDrawsStayInRangeAndRepeatForAFixedSeed() {
        FixRandomSeed(5);
        QList<int> first;
        for (int i = 0; i < 1000; ++i) {
            const int draw = Random(7);
            QVERIFY(draw >= 0 && draw < 7);
            first << draw;
            const double f = RandomFloat();
            QVERIFY(f >= 0.0 && f < 1.0);
        }
        FixRandomSeed(5);
        Randomize(); // a fixed seed survives the clock
        for (int i = 0; i < 1000; ++i) {
            QCOMPARE(Random(7), first[i]);
            RandomFloat();
        }
        QCOMPARE(Random(0), 0);
        QCOMPARE(Random(-3), 0);
        // Every value of a small range turns up.
        QSet<int> seen(first.begin(), first.end());
        QCOMPARE(seen.size(), 7);
        ReleaseRandomSeed();
    }
};

QTEST_MAIN(TToolkitTest)
#include "test_toolkit.moc"
