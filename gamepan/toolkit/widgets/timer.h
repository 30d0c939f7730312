// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace Tolvane {

// A timer on the user-interface thread. Its owner may disable it or destroy
// it from inside its own tick; no further tick arrives after either.
class TTimer final : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalMs = 1000;

    explicit TTimer(std::function<void()> onTick, QObject* parent = nullptr);
    ~TTimer() override;

    int Interval() const { return FIntervalMs; }
    // A new interval restarts the count when running, as a classic timer
    // does; the same interval again changes nothing.
    void SetInterval(int ms);
    // Milliseconds until the next tick, or -1 when the timer is not running.
    int RemainingMs() const;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void Restart();

    std::function<void()> FOnTick;
    int FIntervalMs = kDefaultIntervalMs;
    bool FEnabled = true;
    int FTimerId = 0;
};

} // namespace Tolvane
