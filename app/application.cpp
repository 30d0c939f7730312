// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "gamepan/toolkit/platform/messages.h"

#include <exception>

namespace Tolvane {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
    }
    return false;
}

} // namespace Tolvane
