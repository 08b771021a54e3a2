#include "server/timer_queue.h"

#include <algorithm>
#include <optional>

namespace tarvel::server {

class TimerQueue::QueuedTimer final : public SetupTimer {
  public:
    QueuedTimer(TimerQueue& queue, std::function<void()> onExpiry)
        : queue_(queue), onExpiry_(std::move(onExpiry)) {}
    ~QueuedTimer() override { Stop(); }
    void Start(std::chrono::milliseconds duration) override {
        Stop();
        at_ = queue_.Add(Clock::now() + duration, this);
    }
    void Stop() override {
        if (!at_) return;
        queue_.Remove(*at_);
        at_.reset();
    }
    // Taken out of the queue, then run: it may start itself again or be destroyed by
    // what it runs, like any single-shot timer.
    void Expire() {
        at_.reset();
        onExpiry_();
    }

  private:
    TimerQueue& queue_;
    std::function<void()> onExpiry_;
    std::optional<Queue::iterator> at_;
};

TimerQueue::TimerQueue() {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, [this] { RunDue(); });
}

// The timers belong to their owners, which go first; none may outlive the queue.
TimerQueue::~TimerQueue() = default;

std::unique_ptr<SetupTimer> TimerQueue::MakeTimer(std::function<void()> onExpiry) {
    return std::make_unique<QueuedTimer>(*this, std::move(onExpiry));
}

TimerQueue::Queue::iterator TimerQueue::Add(Clock::time_point when, QueuedTimer* timer) {
    // Equal deadlines run in the order they were set.
    const auto at = due_.emplace(when, timer);
    if (at == due_.begin()) Arm();
    return at;
}

void TimerQueue::Remove(Queue::iterator at) {
    // A later earliest, or none, needs nothing: the wake-up comes early, finds nothing due
    // and waits on. Stopping Qt's timer here would have it started again at once when the
    // timer is started anew, as a player's idle timer is at each of his moves.
    due_.erase(at);
}

void TimerQueue::Arm() {
    if (due_.empty()) {
        wake_.stop();
        return;
    }
    const Clock::time_point earliest = due_.begin()->first;
    if (wake_.isActive() && armedFor_ <= earliest) return;  // early at worst, as above
    armedFor_ = earliest;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(earliest - Clock::now());
    wake_.start(std::max(std::chrono::milliseconds(0), wait));
}

void TimerQueue::RunDue() {
    const Clock::time_point now = Clock::now();
    // One at a time from the front: what a timer runs may stop, start or destroy others.
    while (!due_.empty() && due_.begin()->first <= now) {
        QueuedTimer* timer = due_.begin()->second;
        due_.erase(due_.begin());
        timer->Expire();
    }
    Arm();
}

}  // namespace tarvel::server
