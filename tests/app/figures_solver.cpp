// SPDX-License-Identifier: GPL-3.0-or-later
// Plays Figures in the real window, for the real-window test: finds the
// five pieces on a screenshot by their colours, works out each one's
// orientation and box, and prints the next mouse action that brings them
// towards the first big square. The move that completes it ends the game.
//
//   figures_solver SHOT.png BOARD_LEFT BOARD_TOP BOARD_SIDE PERCENT STATE
//
// BOARD_* is the board's client area in the screenshot, PERCENT the unit's
// share of the side (FWidthHeight). STATE keeps the pieces' z-order, bottom
// to top, between calls ("1 2 3 4 5" at the deal): a press goes to the top
// piece whose box holds the point, and every release sends it to the back.
// Prints the action, in screenshot coordinates, and whether it is the one
// that completes the square ("last") or not ("more"):
//   right X Y 0 0 last|more        a right click (turns the piece a step
//                                  clockwise)
//   drag X Y DX DY last|more       press the left button, move by (DX, DY),
//                                  release
#include "games/figures/figure.h"
#include "tests/games/figures/arrange.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QSet>
#include <QTextStream>
#include <cstdio>

using namespace Tolvane;
using namespace Tolvane::Figures;

namespace {

struct TFound {
    int Left = 0, Top = 0, Orientation = 0;
};

int KindOf(int piece) {
    return piece == 2 ? 2 : piece; // the big square: piece 2 is kind 2
}

QPolygon OutlineAt(int piece, const TFound& at, const TLengths& lengths) {
    const TOutline outline = Outline(KindOf(piece), at.Orientation, lengths);
    QPolygon polygon;
    for (int i = 0; i < outline.Count; ++i) polygon << outline.Corners[i] + QPoint(at.Left, at.Top);
    return polygon;
}

quint64 Key(int x, int y) {
    return quint64(x) << 32 | quint32(y);
}

// The pixels a piece's outline is drawn with, in its box, as the board draws it.
QSet<quint64> Drawn(int kind, int orientation, const TLengths& lengths) {
    const QSize box = BoxSize(kind, orientation, lengths);
    QImage ink(box, QImage::Format_ARGB32);
    ink.fill(0);
    const TOutline outline = Outline(kind, orientation, lengths);
    QPolygon corners;
    for (int i = 0; i < outline.Count; ++i) corners << outline.Corners[i];
    corners << outline.Corners[0];
    QPainter painter(&ink);
    painter.setPen(QPen(Qt::red, kPenWidthPx));
    painter.drawPolyline(corners);
    painter.end();
    QSet<quint64> pixels;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            if (qAlpha(ink.pixel(x, y)) > 0) pixels.insert(Key(x, y));
    return pixels;
}

// The orientation and box that explain the piece's visible outline pixels best.
TFound Locate(const QList<QPoint>& seen, int piece, const TLengths& lengths) {
    QSet<quint64> seenSet;
    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    for (const QPoint& p : seen) {
        seenSet.insert(Key(p.x(), p.y()));
        minX = std::min(minX, p.x());
        minY = std::min(minY, p.y());
        maxX = std::max(maxX, p.x());
        maxY = std::max(maxY, p.y());
    }
    TFound best;
    double bestScore = -1;
    for (int o = 1; o <= kOrientations; ++o) {
        const QSet<quint64> drawn = Drawn(KindOf(piece), o, lengths);
        int dMinX = INT_MAX, dMinY = INT_MAX, dMaxX = INT_MIN, dMaxY = INT_MIN;
        for (quint64 k : drawn) {
            const int x = int(k >> 32), y = int(quint32(k));
            dMinX = std::min(dMinX, x);
            dMinY = std::min(dMinY, y);
            dMaxX = std::max(dMaxX, x);
            dMaxY = std::max(dMaxY, y);
        }
        // Another piece may hide one end of this one: anchor at either end.
        for (const int left : {minX - dMinX, maxX - dMaxX})
            for (const int top : {minY - dMinY, maxY - dMaxY}) {
                int matched = 0;
                for (quint64 k : drawn)
                    matched += seenSet.contains(Key(int(k >> 32) + left, int(quint32(k)) + top));
                const double score = double(matched) / (seen.size() + drawn.size() - matched);
                if (score > bestScore) {
                    bestScore = score;
                    best = {left, top, o};
                }
            }
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 7) {
        std::fprintf(stderr, "usage: figures_solver SHOT LEFT TOP SIDE PERCENT STATE\n");
        return 2;
    }
    const QImage shot(QString::fromLocal8Bit(argv[1]));
    const QPoint origin(std::atoi(argv[2]), std::atoi(argv[3]));
    const int side = std::atoi(argv[4]);
    const TLengths lengths = CalcLengths(ComputeUnit(side, side, std::atoi(argv[5])));
    const QString statePath = QString::fromLocal8Bit(argv[6]);
    if (shot.isNull()) return 2;

    QList<int> zOrder{1, 2, 3, 4, 5};
    if (QFile state(statePath); state.open(QIODevice::ReadOnly)) {
        const QStringList numbers =
            QString::fromLatin1(state.readAll()).split(' ', Qt::SkipEmptyParts);
        if (numbers.size() == kPieces) {
            zOrder.clear();
            for (const QString& n : numbers) zOrder << n.toInt();
        }
    }

    std::array<TFound, kPieces> found;
    for (int piece = 1; piece <= kPieces; ++piece) {
        const QColor colour = ToQColor(PieceColor(colorFixed2, piece));
        QList<QPoint> seen;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (shot.pixelColor(origin + QPoint(x, y)) == colour) seen << QPoint(x, y);
        if (seen.isEmpty()) {
            std::printf("missing %d\n", piece);
            return 1;
        }
        found[piece - 1] = Locate(seen, piece, lengths);
    }
    const TPlacements targets = *FiguresTest::LayOut(1, lengths, QPoint(20, 20));
    // The top piece takes the press: it is turned, or dragged to its place
    // (by nothing when it lies there already, which still sends it back).
    const int piece = zOrder.last();
    const TFound& at = found[piece - 1];
    const TPlacement& target = targets[piece - 1];
    const QPolygon outline = OutlineAt(piece, at, lengths);
    const QPoint press =
        FiguresTest::PointInside(outline).value_or(outline.boundingRect().center());
    const QPoint screen = press + origin;
    const bool turned = piece == 3 ? at.Orientation % 2 == target.Orientation % 2
                                   : at.Orientation == target.Orientation;
    // Where the pieces lie after the action, the release pulling the piece
    // onto the board, tells whether the program will end the game.
    TPlacements after;
    for (int i = 0; i < kPieces; ++i)
        after[i] = {found[i].Left, found[i].Top, found[i].Orientation};
    TPlacement moved{target.Left, target.Top, at.Orientation};
    if (!turned) {
        const QSize box = BoxSize(KindOf(piece), at.Orientation, lengths);
        moved.Orientation = Turned(at.Orientation, false);
        const QSize now = BoxSize(KindOf(piece), moved.Orientation, lengths);
        moved.Left = at.Left - (now.width() - box.width()) / 2;
        moved.Top = at.Top - (now.height() - box.height()) / 2;
    }
    const QSize box = BoxSize(KindOf(piece), moved.Orientation, lengths);
    after[piece - 1] = {KeptInside(moved.Left, box.width(), side),
                        KeptInside(moved.Top, box.height(), side), moved.Orientation};
    const char* const last = SolvedArrangement(Big, after, lengths) != 0 ? "last" : "more";
    if (!turned)
        std::printf("right %d %d 0 0 %s\n", screen.x(), screen.y(), last);
    else
        std::printf("drag %d %d %d %d %s\n", screen.x(), screen.y(), target.Left - at.Left,
                    target.Top - at.Top, last);
    zOrder.removeOne(piece);
    zOrder.prepend(piece);
    if (QFile state(statePath); state.open(QIODevice::WriteOnly)) {
        QTextStream out(&state);
        for (int n : zOrder) out << n << ' ';
    }
    return 0;
}
