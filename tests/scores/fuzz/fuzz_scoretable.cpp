// SPDX-License-Identifier: GPL-3.0-or-later
// Any byte string either reads as a table that writes back and reads again
// unchanged (names cleaned), or is refused with a message.
#include "scores/scoretable.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TScoreRead read = ParseScoreTable(bytes);
    if (!read.Table) {
        if (read.Error.isEmpty()) std::abort();
        return 0;
    }
    const QByteArray written = FormatScoreTable(*read.Table);
    if (written.count('\n') != kScoreFileLines || written.count('\r') != kScoreFileLines)
        std::abort();
    const TScoreRead again = ParseScoreTable(written);
    if (!again.Table || again.Table->Results != read.Table->Results) std::abort();
    for (int place = 0; place < kScorePlaces; ++place)
        if (again.Table->Names[place] != CleanName(read.Table->Names[place])) std::abort();

    // Rank a result taken from the input against the table it made.
    std::int32_t result = 0;
    std::memcpy(&result, data, size < sizeof result ? size : sizeof result);
    for (const TBetter better : {TBetter::Lower, TBetter::Higher}) {
        const int place = RankPlace(better, *read.Table, result);
        if (place < 1 || place > kScorePlaces + 1) std::abort();
        TScoreTable table = *read.Table;
        InsertEntry(table, place, QStringLiteral("Fuzz"), QString::number(result));
        if (place <= kScorePlaces && table.Names[place - 1] != QStringLiteral("Fuzz")) std::abort();
    }
    return 0;
}
