#include "protocol/audience.h"

#include <algorithm>

#include "protocol/protocol_limits.h"

bool Audience::full() const
{
    return watchers_.size() >= MAX_WATCHERS;
}

void Audience::admit(WatcherId id, const std::vector<Message>& greeting, int64_t now)
{
    if (full() || watchers_.contains(id)) return;
    Watcher& watcher = watchers_[id];
    watcher.link.pace_aims(aims_per_second_);
    watcher.link.open(now);
    for (const Message& message : greeting) watcher.link.send(message);
}

void Audience::receive(WatcherId id, std::string_view line, int64_t now)
{
    const auto found = watchers_.find(id);
    if (found == watchers_.end()) return;
    Watcher& watcher = found->second;
    watcher.link.heard(now);
    const std::optional<Message> message = parse_message(line);
    if (message && std::holds_alternative<Ping>(*message)) return;
    if (message && std::holds_alternative<SyncAsk>(*message)) {
        watcher.sync_asked = !watcher.match_owed;
        return;
    }
    const auto* bye = message ? std::get_if<Bye>(&*message) : nullptr;
    if (bye && bye->reason == ByeReason::leaving) return drop(id, std::nullopt);
    drop(id, ByeReason::malformed);
}

void Audience::drop(WatcherId id, std::optional<ByeReason> say)
{
    const auto found = watchers_.find(id);
    if (found == watchers_.end()) return;
    found->second.link.end(say);
    farewells_.emplace_back(id, found->second.link.take_output());
    watchers_.erase(found);
}

void Audience::pump(int64_t now)
{
    std::vector<WatcherId> silent;
    for (auto& [id, watcher] : watchers_) {
        if (watcher.link.silent_too_long(now)) silent.push_back(id);
        watcher.link.keep_up(now);
    }
    for (const WatcherId id : silent) drop(id, ByeReason::timeout);
}

void Audience::leave()
{
    while (!watchers_.empty()) drop(watchers_.begin()->first, ByeReason::leaving);
}

void Audience::send_all(const Message& message)
{
    for (auto& [id, watcher] : watchers_)
        if (!watcher.match_owed) watcher.link.send(message);
}

void Audience::tell_seat(const Message& message)
{
    for (auto& [id, watcher] : watchers_) watcher.link.send(message);
}

void Audience::offer_aim(const Aim& aim, int64_t now)
{
    for (auto& [id, watcher] : watchers_)
        if (!watcher.match_owed) watcher.link.offer_aim(aim, now);
}

void Audience::forget_aims()
{
    for (auto& [id, watcher] : watchers_) watcher.link.forget_aims();
}

void Audience::pace_aims(int per_second)
{
    aims_per_second_ = per_second;
    for (auto& [id, watcher] : watchers_) watcher.link.pace_aims(per_second);
}

bool Audience::anyone_owed_match() const
{
    return std::any_of(watchers_.begin(), watchers_.end(), [](const auto& entry) { return entry.second.match_owed; });
}

void Audience::hand_match(const std::vector<Message>& match)
{
    for (auto& [id, watcher] : watchers_) {
        if (!watcher.match_owed) continue;
        watcher.match_owed = false;
        for (const Message& message : match) watcher.link.send(message);
    }
}

bool Audience::anyone_asked_sync() const
{
    return std::any_of(watchers_.begin(), watchers_.end(), [](const auto& entry) { return entry.second.sync_asked; });
}

void Audience::answer_sync(const Sync& sync)
{
    for (auto& [id, watcher] : watchers_) {
        if (!watcher.sync_asked) continue;
        watcher.sync_asked = false;
        watcher.link.send(sync);
    }
}

std::vector<std::pair<Audience::WatcherId, SessionOutput>> Audience::take_output()
{
    std::vector<std::pair<WatcherId, SessionOutput>> outputs = std::exchange(farewells_, {});
    for (auto& [id, watcher] : watchers_) {
        SessionOutput output = watcher.link.take_output();
        if (!output.lines.empty()) outputs.emplace_back(id, std::move(output));
    }
    return outputs;
}
