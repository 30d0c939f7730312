// SPDX-License-Identifier: GPL-3.0-or-later
// A second copy of the program writing a table, for the tests.
//
//   tablewriter_child PATH          rewrites the table at PATH for ever,
//                                   alternating two complete tables, and says
//                                   "ready" on stdout after the first write
//   tablewriter_child merge PATH NAME
//                                   at every line "go T" on stdin waits until
//                                   T (nanoseconds of the steady clock, which
//                                   every process shares), places two
//                                   entries, NAME-1 with 1 point and NAME-2
//                                   with 2, into the Tetris table at PATH and
//                                   answers "done"; ends at the end of stdin
#include "scores/scoretable.h"

#include <QCoreApplication>
#include <QString>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

using namespace Tolvane;

namespace {

int Merge(const QString& path, const QString& name) {
    long long start = 0;
    while (std::scanf(" go %lld", &start) == 1) {
        // Both copies start at the same instant, so that their writes meet.
        std::this_thread::sleep_until(
            std::chrono::steady_clock::time_point(std::chrono::nanoseconds(start)));
        for (int entry = 1; entry <= 2; ++entry) {
            const TScoreMerge merge =
                MergeScoreEntry(path, TBetter::Higher, name + QStringLiteral("-%1").arg(entry),
                                QString::number(entry));
            if (!merge.Error.isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(merge.Error));
                return 1;
            }
        }
        std::fputs("done\n", stdout);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "merge") == 0)
        return Merge(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc < 2) return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    TScoreTable tables[2] = {DefaultScoreTable(QStringLiteral("999999")),
                             DefaultScoreTable(QStringLiteral("7"))};
    for (int place = 0; place < kScorePlaces; ++place)
        tables[1].Names[place] = QStringLiteral("Writer %1 with a longer name").arg(place);
    for (unsigned long i = 0;; ++i) {
        if (!WriteScoreFile(path, tables[i % 2]).isEmpty()) return 1;
        if (i == 0) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}
