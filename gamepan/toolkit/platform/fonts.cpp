// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace Tolvane {

void RegisterFontSubstitutes() {
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("System"), sans);
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("Liberation Sans")});
}

} // namespace Tolvane
