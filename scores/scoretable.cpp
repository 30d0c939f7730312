// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scoretable.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QThread>

#include <QLoggingCategory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tolvane {

// Silent unless QT_LOGGING_RULES turns "tolvane.scores.debug" on.
Q_LOGGING_CATEGORY(lcScores, "tolvane.scores", QtWarningMsg)

const TScoreGame* FindScoreGame(const QString& game) {
    for (const TScoreGame& entry : kScoreGames)
        if (game == QLatin1String(entry.Game)) return &entry;
    return nullptr;
}

TScoreTable DefaultScoreTable(const QString& defaultResult) {
    TScoreTable table;
    table.Names.fill(QStringLiteral("Anonymous"));
    table.Results.fill(defaultResult);
    return table;
}

std::optional<std::int32_t> ParseResult(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    // Accumulated as a negative number so that INT32_MIN fits too.
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 - (c - u'0');
        if (value < INT32_MIN) return std::nullopt;
    }
    if (!negative) {
        if (-value > INT32_MAX) return std::nullopt;
        value = -value;
    }
    return static_cast<std::int32_t>(value);
}

QString InvalidIntegerMessage(const QString& text) {
    // A file of junk can hold a line of a megabyte; the box shows its start.
    constexpr qsizetype kShownChars = 100;
    const QString shown =
        text.size() > kShownChars ? text.left(kShownChars) + QStringLiteral("...") : text;
    return QStringLiteral("'%1' is not a valid integer value").arg(shown);
}

QString CleanName(const QString& name) {
    QString clean;
    clean.reserve(name.size());
    for (const QChar c : name) {
        // Covers CR, LF, the other C0 and C1 controls, and the Unicode line
        // and paragraph separators, all of which a reader may take as a break.
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            continue;
        clean.append(c);
    }
    return clean;
}

namespace {

// A name line: UTF-8, or, where it is not valid UTF-8, Latin-1.
QString DecodeName(QByteArrayView line, bool& latin1) {
    // Stateless, so that a line ending inside a sequence counts as invalid too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8(line);
    latin1 = utf8.hasError();
    return latin1 ? QString::fromLatin1(line) : name;
}

// A name read as Latin-1 goes back in its own bytes, as long as they still
// read as Latin-1; cleaning may have left valid UTF-8, which is then written.
QByteArray NameBytes(const TScoreTable& table, int place) {
    const QString name = CleanName(table.Names[place]);
    if (table.Latin1Names[place]) {
        const QByteArray bytes = name.toLatin1();
        bool latin1 = false;
        DecodeName(bytes, latin1);
        if (latin1) return bytes;
    }
    return name.toUtf8();
}

} // namespace

TScoreRead ParseScoreTable(const QByteArray& bytes) {
    std::array<QByteArrayView, kScoreFileLines> lines;
    qsizetype pos = 0;
    for (QByteArrayView& line : lines) {
        if (pos >= bytes.size()) break;
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        line = QByteArrayView(bytes.constData() + pos, end - pos);
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    TScoreTable table;
    for (int place = 0; place < kScorePlaces; ++place) {
        table.Names[place] = DecodeName(lines[2 * place], table.Latin1Names[place]);
        table.Results[place] = QString::fromUtf8(lines[2 * place + 1]);
        if (!ParseResult(table.Results[place]))
            return {std::nullopt, InvalidIntegerMessage(table.Results[place])};
    }
    return {table, QString()};
}

QByteArray FormatScoreTable(const TScoreTable& table) {
    QByteArray bytes;
    for (int place = 0; place < kScorePlaces; ++place) {
        bytes += NameBytes(table, place) + "\r\n";
        bytes += CleanName(table.Results[place]).toUtf8() + "\r\n";
    }
    return bytes;
}

bool BeatsStored(TBetter better, std::int32_t stored, std::int32_t newResult) {
    return better == TBetter::Lower ? stored > newResult : stored < newResult;
}

int RankPlace(TBetter better, const TScoreTable& table, std::int32_t newResult) {
    int place = kScorePlaces + 1;
    for (int i = kScorePlaces; i >= 1; --i) {
        const std::optional<std::int32_t> stored = ParseResult(table.Results[i - 1]);
        if (stored && BeatsStored(better, *stored, newResult)) place = i;
    }
    return place;
}

void InsertEntry(TScoreTable& table, int place, const QString& name, const QString& result) {
    if (place < 1 || place > kScorePlaces) return;
    for (int i = kScorePlaces; i > place; --i) {
        table.Results[i - 1] = table.Results[i - 2];
        table.Names[i - 1] = table.Names[i - 2];
        table.Latin1Names[i - 1] = table.Latin1Names[i - 2];
    }
    table.Results[place - 1] = result;
    table.Names[place - 1] = name;
    table.Latin1Names[place - 1] = false;
}

namespace {

// Ten short lines; anything beyond a generous bound is not a table.
constexpr qint64 kMaxTableBytes = 1 << 20;

// How long a write waits for another copy of the program to finish its own.
// A write takes milliseconds; a lock left by a copy that died is taken over
// at once.
constexpr int kLockWaitMs = 2000;
constexpr int kLockRetryMs = 5;

// Remembers, in the current folder, that the tables of the old one were
// considered.
constexpr char kTakenOverMark[] = ".old-tables-taken-over";

// Opens the file for reading only when it is a regular file. The first open
// does not wait, whatever the path names: a named pipe opened plainly waits
// for a writer, and reading a device may never end.
bool OpenRegularFile(QFile& file, const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

// The whole file, when it is a regular one of a sensible size; otherwise
// why not, as the box tells it.
struct TFileRead {
    std::optional<QByteArray> Bytes;
    QString Error;
};
TFileRead ReadRegularFile(const QString& path) {
    QFile file;
    if (!OpenRegularFile(file, path)) return {std::nullopt, QStringLiteral("Cannot Open ") + path};
    QByteArray bytes = file.read(kMaxTableBytes);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, QStringLiteral("Cannot Read ") + path};
    return {std::move(bytes), QString()};
}

// Something under the name that is no regular file: a folder, a pipe, a
// device. A dangling link counts as nothing.
bool OtherThanAFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

QString WriteWhole(const QString& path, const QByteArray& bytes) {
    // A table the player made read-only stays as it is; replacing it whole
    // would get round that.
    if (const QFileInfo file(path); file.exists() && !file.isWritable())
        return QStringLiteral("Cannot Write ") + path;
    // Writing into a pipe or a device in place of the table could wait for
    // ever.
    if (OtherThanAFile(path)) return QStringLiteral("Cannot Create ") + path;
    QSaveFile file(path);
    // Unbuffered, so that a failed write (no space left) is seen here; a
    // buffered one fails only in commit's flush, which commit ignores and
    // then replaces the table by what little was written.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QStringLiteral("Cannot Create ") + path;
    // Not committed, the half-written copy goes and the table stays.
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError || !file.commit())
        return QStringLiteral("Cannot Write ") + path;
    return QString();
}

// Held while a table is read and written back, by every copy of the program.
class TTableLock {
public:
    explicit TTableLock(const QString& path) : FLock(path + QStringLiteral(".lock")) {
        // In short steps: QLockFile's own wait sleeps 100 ms and more between
        // tries, long beside the write it waits for.
        const QDeadlineTimer deadline(kLockWaitMs);
        while (!(FLocked = FLock.tryLock(0)) && FLock.error() == QLockFile::LockFailedError &&
               !deadline.hasExpired())
            QThread::msleep(kLockRetryMs);
    }
    bool Locked() const { return FLocked; }

private:
    QLockFile FLock;
    bool FLocked = false;
};

} // namespace

TScoreRead ReadScoreFile(const QString& path) {
    const TFileRead read = ReadRegularFile(path);
    if (!read.Bytes) return {std::nullopt, read.Error};
    return ParseScoreTable(*read.Bytes);
}

TScoreRead OpenScoreFile(const QString& path, const QString& defaultResult) {
    if (QFileInfo(path).exists()) return ReadScoreFile(path);
    const TTableLock lock(path);
    if (!lock.Locked()) return {std::nullopt, QStringLiteral("Cannot Write ") + path};
    // Another copy may have made it while this one waited.
    if (QFileInfo(path).exists()) return ReadScoreFile(path);
    const TScoreTable table = DefaultScoreTable(defaultResult);
    if (QString error = WriteScoreFile(path, table); !error.isEmpty())
        return {std::nullopt, std::move(error)};
    return {table, QString()};
}

TScoreMerge MergeScoreEntry(const QString& path, TBetter better, const QString& name,
                            const QString& result) {
    const TTableLock lock(path);
    if (!lock.Locked()) return {std::nullopt, QStringLiteral("Cannot Write ") + path};
    if (!QFileInfo(path).exists()) return {std::nullopt, QString()};
    TScoreRead read = ReadScoreFile(path);
    if (!read.Table) return {std::nullopt, read.Error};
    const std::optional<std::int32_t> value = ParseResult(result);
    if (!value) return {std::nullopt, InvalidIntegerMessage(result)};
    const int place = RankPlace(better, *read.Table, *value);
    if (place > kScorePlaces) return {read.Table, QString()};
    InsertEntry(*read.Table, place, name, result);
    qCDebug(lcScores) << path << "takes" << name << result << "at place" << place;
    if (QString error = WriteScoreFile(path, *read.Table); !error.isEmpty())
        return {std::nullopt, std::move(error)};
    return {read.Table, QString()};
}

void AdoptScoreTables(const QString& oldDirectory, const QString& directory) {
    const QDir from(oldDirectory);
    const QDir to(directory);
    if (from.absolutePath() == to.absolutePath() || !from.exists()) return;
    const QString mark = to.filePath(QLatin1String(kTakenOverMark));
    if (QFileInfo(mark).exists()) return;
    bool hasTables = false;
    for (const TScoreGame& game : kScoreGames)
        hasTables = hasTables || QFileInfo(to.filePath(QLatin1String(game.FileName))).exists();
    QDir().mkpath(directory);
    if (!hasTables) {
        for (const TScoreGame& game : kScoreGames) {
            const QString name = QLatin1String(game.FileName);
            if (const TFileRead read = ReadRegularFile(from.filePath(name)); read.Bytes) {
                qCDebug(lcScores) << "taken over:" << from.filePath(name);
                WriteWhole(to.filePath(name), *read.Bytes);
            }
        }
    }
    // Without the mark (a read-only folder), the question comes up again at
    // the next start, which is all it costs.
    QFile markFile(mark);
    markFile.open(QIODevice::WriteOnly);
}

QString WriteScoreFile(const QString& path, const TScoreTable& table) {
    return WriteWhole(path, FormatScoreTable(table));
}

} // namespace Tolvane
