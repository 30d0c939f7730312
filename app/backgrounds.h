// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Tolvane {

// The number of background pictures B.Ground cycles through.
constexpr int kBackgrounds = 5;

// The background picture number index (1..5): the file in appDir (the
// folder the program started in) when it is there, else the installed one
// (share/tolvane beside the program's folder, then the system's data
// folders); without either, the path in appDir, which is then reported.
QString BackgroundPath(const QString& appDir, int index);

} // namespace Tolvane
