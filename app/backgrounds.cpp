// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/backgrounds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Tolvane {

QString BackgroundPath(const QString& appDir, int index) {
    const QString name = QStringLiteral("backgr%1.bmp").arg(index);
    const QString here = appDir + QLatin1Char('/') + name;
    if (QFileInfo::exists(here)) return here;
    // Installed beside the program, or in a data folder of the system.
    const QString beside = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                           QStringLiteral("/../share/tolvane/") + name);
    if (QFileInfo(beside).isFile()) return beside;
    const QString shared = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                  QStringLiteral("tolvane/") + name);
    return shared.isEmpty() ? here : shared;
}

} // namespace Tolvane
