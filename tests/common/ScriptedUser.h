// A user for window tests whose windows run their own nested event loops: each step waits until
// its condition holds, then acts from the event queue, so a step that opens a loop never blocks
// the steps after it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>
#include <string>

namespace krq::test {

class TScriptedUser {
  public:
    TScriptedUser() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    }

    // Once `ready` holds, `act` runs; steps run in the order they were added.
    TScriptedUser& When(std::string what, std::function<bool()> ready,
                        std::function<void()> act = {}) {
        steps_.push_back({std::move(what), std::move(ready), std::move(act)});
        return *this;
    }

    // The same, ahead of every step added so far.
    TScriptedUser& First(std::string what, std::function<bool()> ready,
                         std::function<void()> act = {}) {
        steps_.push_front({std::move(what), std::move(ready), std::move(act)});
        return *this;
    }

    // Called when a step waits too long, after the failure is recorded: end what keeps the
    // window open (a download, a run), so the test finishes.
    std::function<void()> OnTimeout;

    void Start() {
        deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        timer_.start();
    }

    bool Finished() const { return steps_.empty(); }

  private:
    struct TStep {
        std::string What;
        std::function<bool()> Ready;
        std::function<void()> Act;
    };

    void Poll() {
        if (steps_.empty()) {
            timer_.stop();
            return;
        }
        if (std::chrono::steady_clock::now() > deadline_) {
            timer_.stop();
            ADD_FAILURE() << "never happened: " << steps_.front().What;
            steps_.clear();
            if (OnTimeout) OnTimeout();
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->done(QDialog::Rejected);
            return;
        }
        // A step waits until the act before it has begun.
        if (acting_ || !steps_.front().Ready()) return;
        TStep step = std::move(steps_.front());
        steps_.pop_front();
        deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        if (!step.Act) return;
        acting_ = true;
        QTimer::singleShot(0, &timer_, [this, act = std::move(step.Act)] {
            acting_ = false;
            act();
        });
    }

    QTimer timer_;
    std::deque<TStep> steps_;
    std::chrono::steady_clock::time_point deadline_;
    bool acting_ = false;
};

}  // namespace krq::test
