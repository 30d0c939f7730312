// SPDX-License-Identifier: GPL-3.0-or-later
// Rewrites the table at argv[1] for ever, alternating two complete tables,
// and says "ready" on stdout after the first write so the parent knows the
// loop has begun.
#include "scores/scoretable.h"

#include <QCoreApplication>
#include <QString>
#include <cstdio>

using namespace Tolvane;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
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
