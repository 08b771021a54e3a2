// Keeps the engine from being entered twice. Every key, click, menu command, timer and
// socket message that reaches the engine goes through Run. While one runs (a waited-for
// phrase holding the game, a dialog it opened), the next ones wait in order and run
// after it, so nothing is lost and nothing cuts into a move.
#pragma once

#include <deque>
#include <functional>

namespace tarvel {

class EngineGate {
  public:
    // Called after every action that ran, when nothing is left waiting.
    std::function<void()> afterActions;

    void Run(std::function<void()> action) {
        queued_.push_back(std::move(action));
        if (running_) return;
        running_ = true;
        while (!queued_.empty()) {
            auto next = std::move(queued_.front());
            queued_.pop_front();
            next();
        }
        running_ = false;
        if (afterActions) afterActions();
    }

    bool Busy() const { return running_; }

  private:
    std::deque<std::function<void()>> queued_;
    bool running_ = false;
};

}  // namespace tarvel
