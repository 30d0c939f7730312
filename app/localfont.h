// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace Tolvane {

// What the font search found: a font for the localised captions is installed
// (GeoFont), and its name when the captions should use it.
struct TLocalFont {
    bool GeoFont = false;
    QString FontName;
};

// Searches the installed font families, in three passes that stop at the
// first match: "Geo_Times", then "Geo_Arial", then any of the other
// localised fonts (these are detected but not used for captions).
TLocalFont FindLocalFont(const QStringList& families);

// The installed families by name alone, without the foundry Qt adds to a
// name it knows from more than one.
QStringList WithoutFoundries(const QStringList& families);

} // namespace Tolvane
