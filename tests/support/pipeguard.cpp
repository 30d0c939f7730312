// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeguard.h"

#include <QFile>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tolvane {

TPipeGuard::TPipeGuard(const QString& path, int boundMs) : FPath(path), FBoundMs(boundMs) {
    // A writer let through would otherwise die of the pipe closing under it.
    std::signal(SIGPIPE, SIG_IGN);
    FMade = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (FMade) FWatcher = std::thread([this] { Watch(); });
}

TPipeGuard::~TPipeGuard() {
    {
        const std::lock_guard lock(FLock);
        FStopping = true;
    }
    FStop.notify_all();
    if (FWatcher.joinable()) FWatcher.join();
}

void TPipeGuard::Watch() {
    const QByteArray path = QFile::encodeName(FPath);
    std::unique_lock lock(FLock);
    while (
        !FStop.wait_for(lock, std::chrono::milliseconds(FBoundMs), [this] { return FStopping; })) {
        // Both ends at once: whoever waits in open() goes on, and the close
        // then gives a reader the end of the data.
        const int fd = ::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        FFired = true;
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        char drain[4096];
        while (::read(fd, drain, sizeof drain) > 0) {
        }
        ::close(fd);
        lock.lock();
    }
}

} // namespace Tolvane
