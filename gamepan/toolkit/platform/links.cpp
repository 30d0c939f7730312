// SPDX-License-Identifier: GPL-3.0-or-later
#include "links.h"

#include <QDesktopServices>

namespace Tolvane {
namespace {
TLinkOpener linkOpener;
}

void OpenLink(const QUrl& url) {
    if (linkOpener) {
        linkOpener(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void SetLinkOpener(TLinkOpener opener) {
    linkOpener = std::move(opener);
}

} // namespace Tolvane
