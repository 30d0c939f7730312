// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/scoretable.h"

#include <QFile>
#include <QSaveFile>

namespace Tolvane {

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
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
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

TScoreRead ParseScoreTable(const QByteArray& bytes) {
    std::array<QString, kScoreFileLines> lines;
    qsizetype pos = 0;
    for (QString& line : lines) {
        if (pos >= bytes.size()) break;
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        line = QString::fromUtf8(bytes.constData() + pos, end - pos);
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    TScoreTable table;
    for (int place = 0; place < kScorePlaces; ++place) {
        table.Names[place] = lines[2 * place];
        table.Results[place] = lines[2 * place + 1];
        if (!ParseResult(table.Results[place]))
            return {std::nullopt, InvalidIntegerMessage(table.Results[place])};
    }
    return {table, QString()};
}

QByteArray FormatScoreTable(const TScoreTable& table) {
    QByteArray bytes;
    for (int place = 0; place < kScorePlaces; ++place) {
        bytes += CleanName(table.Names[place]).toUtf8() + "\r\n";
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
    }
    table.Results[place - 1] = result;
    table.Names[place - 1] = name;
}

TScoreRead ReadScoreFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("Cannot Open ") + path};
    // Ten short lines; anything beyond a generous bound is not a table.
    constexpr qint64 kMaxTableBytes = 1 << 20;
    const QByteArray bytes = file.read(kMaxTableBytes);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, QStringLiteral("Cannot Read ") + path};
    return ParseScoreTable(bytes);
}

QString WriteScoreFile(const QString& path, const TScoreTable& table) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QStringLiteral("Cannot Create ") + path;
    const QByteArray bytes = FormatScoreTable(table);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("Cannot Write ") + path;
    return QString();
}

} // namespace Tolvane
