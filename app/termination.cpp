// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/termination.h"

#include "scores/form2.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace Tolvane {

namespace {

// The signal handler only writes a byte here; the event loop reads it and
// does the work, since almost nothing may be done inside a handler.
int gSignalPipe[2] = {-1, -1};
bool gTerminationRequested = false;

extern "C" void OnTerminationSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[1], &byte, 1);
    errno = savedErrno;
}

void EndOnSignal() {
    char drain[16];
    while (::read(gSignalPipe[0], drain, sizeof drain) > 0) {
    }
    gTerminationRequested = true;
    // Closing runs the window's write-back and ends its modal loop.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TForm2*>(window); form && form->isVisible()) form->close();
    QCoreApplication::exit(0);
}

} // namespace

void QuitOnTerminationSignals() {
    if (gSignalPipe[0] >= 0) return;
    if (::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier =
        new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &EndOnSignal);
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Reset to the default after the first, so that a second signal ends a
    // program that cannot end by itself.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool TerminationRequested() {
    return gTerminationRequested;
}

} // namespace Tolvane
