// SPDX-License-Identifier: GPL-3.0-or-later
#include "timer.h"

#include <QAbstractEventDispatcher>
#include <QTimerEvent>

namespace Tolvane {

TTimer::TTimer(std::function<void()> onTick, QObject* parent)
    : QObject(parent), FOnTick(std::move(onTick)) {
    Restart();
}

TTimer::~TTimer() {
    if (FTimerId != 0) killTimer(FTimerId);
}

void TTimer::SetInterval(int ms) {
    // Like a classic timer: the same interval again keeps the running count.
    if (ms == FIntervalMs) return;
    FIntervalMs = ms;
    Restart();
}

int TTimer::RemainingMs() const {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread());
    return FTimerId != 0 && dispatcher ? dispatcher->remainingTime(FTimerId) : -1;
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    Restart();
}

void TTimer::Restart() {
    if (FTimerId != 0) {
        killTimer(FTimerId);
        FTimerId = 0;
    }
    if (FEnabled && FIntervalMs > 0 && FOnTick)
        FTimerId = startTimer(FIntervalMs, Qt::PreciseTimer);
}

void TTimer::timerEvent(QTimerEvent* event) {
    if (event->timerId() != FTimerId) {
        QObject::timerEvent(event);
        return;
    }
    // The handler may destroy this timer, so it runs from a copy and nothing
    // of this object is touched after it returns.
    const auto tick = FOnTick;
    tick();
}

} // namespace Tolvane
