// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace Tolvane {

// A named pipe made at a path for the lifetime of the guard. Opening a pipe
// waits until its other end is opened too, so a reader or writer that meets
// it would hang the test: after a generous bound, and again at every bound,
// the guard opens the other end for a moment, so the test ends and reports
// instead. Fired says whether it ever had to.
class TPipeGuard {
public:
    explicit TPipeGuard(const QString& path, int boundMs = 5000);
    ~TPipeGuard();
    TPipeGuard(const TPipeGuard&) = delete;
    TPipeGuard& operator=(const TPipeGuard&) = delete;

    // False when the pipe could not be made.
    bool Made() const { return FMade; }
    bool Fired() const { return FFired; }

private:
    void Watch();

    QString FPath;
    int FBoundMs;
    bool FMade = false;
    std::atomic<bool> FFired{false};
    std::mutex FLock;
    std::condition_variable FStop;
    bool FStopping = false;
    std::thread FWatcher;
};

} // namespace Tolvane
