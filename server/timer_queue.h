// The game's timers, thousands of them on a busy server (a set-up, an idle and a return
// timer at every table, one for each newcomer), kept in one ordered queue behind a
// single Qt timer for the earliest. Qt keeps its timers in a list it walks on every
// start and stop, which at 5,000 tables cost more than the relay whose move restarted the
// timer; here a start or stop is a logarithmic step.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <map>
#include <memory>

#include "server/core/server_links.h"

namespace tarvel::server {

class TimerQueue final : public QObject, public TimerSource {
  public:
    using Clock = std::chrono::steady_clock;

    TimerQueue();
    ~TimerQueue() override;

    std::unique_ptr<SetupTimer> MakeTimer(std::function<void()> onExpiry) override;
    // Timers started and not yet run out or stopped.
    std::size_t Pending() const { return due_.size(); }

  private:
    class QueuedTimer;
    using Queue = std::multimap<Clock::time_point, QueuedTimer*>;

    Queue::iterator Add(Clock::time_point when, QueuedTimer* timer);
    void Remove(Queue::iterator at);
    // Sets the Qt timer for the earliest deadline, if that changed.
    void Arm();
    void RunDue();

    Queue due_;
    QTimer wake_;
    Clock::time_point armedFor_{};
};

}  // namespace tarvel::server
