// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/localfont.h"

#include <QRegularExpression>

namespace Tolvane {

QStringList WithoutFoundries(const QStringList& families) {
    // A family installed from two foundries is listed as "Name [Foundry]".
    static const QRegularExpression foundry(QStringLiteral(" \\[[^\\]]*\\]$"));
    QStringList names;
    for (const QString& family : families) names << QString(family).remove(foundry);
    return names;
}

TLocalFont FindLocalFont(const QStringList& families) {
    if (families.contains(QLatin1String("Geo_Times"))) return {true, QStringLiteral("Geo_Times")};
    if (families.contains(QLatin1String("Geo_Arial"))) return {true, QStringLiteral("Geo_Arial")};
    static const QStringList others{QStringLiteral("AcadNusx"), QStringLiteral("LitNusx"),
                                    QStringLiteral("Geo Akad Nebraska"),
                                    QStringLiteral("Sakartvelo")};
    for (const QString& family : families)
        if (others.contains(family) || family.toUpper().contains(QLatin1String("CHVEULEBRIVI")))
            return {true, QString()};
    return {};
}

} // namespace Tolvane
