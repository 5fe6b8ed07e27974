#include "replay/script_feed.h"

#include <QCoreApplication>
#include <condition_variable>
#include <deque>
#include <iostream>
#include <mutex>

struct ScriptFeed::Shared {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<std::string> lines;
    bool ended = false;
    bool failed = false;
};

namespace {

// Wakes the event loop, if it waits for a line.
void wake_event_loop()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, [] {}, Qt::QueuedConnection);
}

}  // namespace

ScriptFeed::~ScriptFeed()
{
    if (!reader_.joinable()) return;
    // Standard input may wait for a line that never comes; the reader holds
    // only what it shares, and the process ends it. Any other stream is read
    // to its end at once.
    if (&script_ == &std::cin)
        reader_.detach();
    else
        reader_.join();
}

void ScriptFeed::start_reader()
{
    shared_ = std::make_shared<Shared>();
    // Reading would flush the tied output from the reader's thread, while this
    // one writes to it; every output line is flushed as it is written anyway.
    script_.tie(nullptr);
    reader_ = std::thread([shared = shared_, &script = script_] {
        std::string line;
        while (std::getline(script, line)) {
            {
                const std::lock_guard lock(shared->mutex);
                shared->lines.push_back(std::move(line));
            }
            shared->arrived.notify_one();
            wake_event_loop();
        }
        {
            const std::lock_guard lock(shared->mutex);
            shared->ended = true;
            shared->failed = script.bad();
        }
        shared->arrived.notify_one();
        wake_event_loop();
    });
}

std::optional<std::string> ScriptFeed::next_line(bool handle_events)
{
    if (!shared_ && !handle_events) {
        std::string line;
        if (!std::getline(script_, line)) return std::nullopt;
        return line;
    }
    if (!shared_) start_reader();
    std::unique_lock lock(shared_->mutex);
    while (shared_->lines.empty() && !shared_->ended) {
        if (!handle_events) {
            shared_->arrived.wait(lock);
            continue;
        }
        lock.unlock();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        lock.lock();
    }
    if (shared_->lines.empty()) return std::nullopt;
    std::string line = std::move(shared_->lines.front());
    shared_->lines.pop_front();
    return line;
}

bool ScriptFeed::failed() const
{
    if (!shared_) return script_.bad();
    const std::lock_guard lock(shared_->mutex);
    return shared_->failed;
}
