// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <functional>

namespace Tolvane {

// Asks the desktop to open a mailto: or web address. A desktop that cannot
// open it reports nothing.
void OpenLink(const QUrl& url);

// Tests: route links elsewhere (an empty function restores the desktop).
using TLinkOpener = std::function<void(const QUrl&)>;
void SetLinkOpener(TLinkOpener opener);

} // namespace Tolvane
