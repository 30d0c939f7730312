// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The score tables without any window: which game keeps which file, how the
// ten-line file is read and written, and how a new result is ranked. Needs
// Qt Core only, so the fuzzer builds it on its own.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace Tolvane {

inline constexpr int kScorePlaces = 5;
// Name and result for each place.
inline constexpr int kScoreFileLines = 2 * kScorePlaces;

enum class TBetter { Lower, Higher };

struct TScoreGame {
    const char* Game;
    const char* FileName;
    TBetter Better;
    const char* DefaultResult;
    const char* Suffix;
};

inline constexpr TScoreGame kScoreGames[] = {
    {"Scramble", "scramble.ini", TBetter::Lower, "999999", " Moves"},
    {"Figures", "figures.ini", TBetter::Lower, "999999", " Moves"},
    {"Tetris", "tetris.ini", TBetter::Higher, "0", " Points"},
    {"Arcanoid", "arcanoid.ini", TBetter::Higher, "0", " Points"},
};

// Null for a name that is none of the four games.
const TScoreGame* FindScoreGame(const QString& game);

// Places 1..5 are indices 0..4.
struct TScoreTable {
    std::array<QString, kScorePlaces> Names;
    std::array<QString, kScorePlaces> Results;
    // Names read from a file written in a single-byte code page (by an older
    // program, say) rather than UTF-8: read as Latin-1, and written back in
    // the same bytes.
    std::array<bool, kScorePlaces> Latin1Names{};
};

TScoreTable DefaultScoreTable(const QString& defaultResult);

// A decimal integer with an optional sign that fits 32 bits; nothing else
// (no blanks, no hex).
std::optional<std::int32_t> ParseResult(const QString& text);
// "'<text>' is not a valid integer value".
QString InvalidIntegerMessage(const QString& text);

// A name kept on one line: line breaks and other control characters go.
QString CleanName(const QString& name);

struct TScoreRead {
    std::optional<TScoreTable> Table;
    // The message to report when Table is empty.
    QString Error;
};

// Lines end in CR LF, LF or CR; lines past the tenth are ignored. A missing
// line reads as empty, so a short file fails on an empty result.
TScoreRead ParseScoreTable(const QByteArray& bytes);
// Ten lines, each ended by CR LF; names cleaned on the way out.
QByteArray FormatScoreTable(const TScoreTable& table);

// Whether the new result beats the fifth place; an equal result does not.
bool BeatsStored(TBetter better, std::int32_t stored, std::int32_t newResult);
// 1..5 for the place the new result takes, 6 for none. A result equal to a
// stored one ranks after it.
int RankPlace(TBetter better, const TScoreTable& table, std::int32_t newResult);
// Shifts places place..4 down one (the fifth falls out) and puts the entry
// at place. Places outside 1..5 change nothing.
void InsertEntry(TScoreTable& table, int place, const QString& name, const QString& result);

// Only a regular file is opened: a folder, a named pipe or a device under
// the table's name reads as "Cannot Open", since opening or reading one may
// wait for ever.
TScoreRead ReadScoreFile(const QString& path);

// The table at path; where there is none, a table of defaults, written there
// first. The creation takes the table's lock, so that it cannot undo an
// entry that another copy of the program has just written.
TScoreRead OpenScoreFile(const QString& path, const QString& defaultResult);

struct TScoreMerge {
    // The table as it now stands on disk; empty when there is none (it was
    // cleared meanwhile, which the entry does not undo) or on an error.
    std::optional<TScoreTable> Table;
    // The message to report; empty on success.
    QString Error;
};

// Places one new entry into the table on disk as it stands now: under a lock
// that every copy of the program takes, the table is read again, the entry
// ranked into it and the table written back, so that entries that others
// wrote meanwhile stay. An entry that no longer earns a place writes nothing.
// Result must be a valid result.
TScoreMerge MergeScoreEntry(const QString& path, TBetter better, const QString& name,
                            const QString& result);

// The tables of an earlier folder (one named after an older version of the
// program) are copied into the current one, once: the first time both are
// seen, and only when the current folder holds none of the four files then.
// A mark in the current folder remembers that this was done, so that a
// table cleared later does not come back. The old files stay as they are.
void AdoptScoreTables(const QString& oldDirectory, const QString& directory);
// Replaces the file as a whole, so an interrupted or failed write (a full
// disk, say) leaves the old table. Empty on success, else the message to
// report.
QString WriteScoreFile(const QString& path, const TScoreTable& table);

} // namespace Tolvane
