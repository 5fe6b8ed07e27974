#pragma once

#include <list>
#include <optional>
#include <string>
#include <vector>

#include "protocol/guest_session.h"
#include "protocol/host_session.h"
#include "tests/protocol/fake_match_table.h"

// Both sides of a match and its watchers wired line by line, each on its
// own stand-in table, with a clock the caller moves.

template <typename Event>
std::vector<Event> events_of(const std::vector<SessionEvent>& events)
{
    std::vector<Event> found;
    for (const SessionEvent& event : events)
        if (const auto* e = std::get_if<Event>(&event)) found.push_back(*e);
    return found;
}

struct WatcherSide {
    explicit WatcherSide(const std::string& name) : session(table, name, {}, {}, GuestSession::Role::watcher) {}
    FakeMatchTable table;
    GuestSession session;
    std::vector<std::string> heard;
    bool closed = false;
};

class SessionPair {
public:
    std::list<WatcherSide> watchers;
    FakeMatchTable host_table, guest_table;
    HostSession host{host_table, "Anna"};
    std::optional<GuestSession> guest;
    int64_t now = 1000;
    std::vector<std::string> to_guest, to_host;
    std::vector<SessionEvent> host_events, guest_events;

    // What the connection of a guest whose seat was taken back was told last.
    std::vector<std::string> to_replaced;

    // A guest on a table of its own joins, with hello or with a seat's token;
    // it keeps the table it had, if any. The host answers its opening as a
    // hosting window does.
    void join(const std::string& name, std::optional<std::string> seat_token = std::nullopt)
    {
        // What the host still had to say went to the old connection.
        if (guest) carry();
        guest.emplace(guest_table, name, std::move(seat_token));
        guest->connected(now);
        SessionOutput opening = guest->take_output();
        const std::string first_line = opening.lines.at(0);
        to_host.push_back(first_line);
        if (const std::optional<ByeReason> bye = host.answer_opening(first_line)) {
            to_guest.push_back(format_message(Bye{*bye}));
            guest->receive(to_guest.back(), now);
            guest->connection_closed();
            return;
        }
        if (host.guest_seated()) {
            host.replace_guest();
            SessionOutput old = host.take_output();
            host_events.insert(host_events.end(), old.events.begin(), old.events.end());
            to_replaced = old.lines;
        }
        host.seat(first_line, now);
        carry();
    }
    // A watcher on a table of its own opens; the host answers as a hosting window does.
    WatcherSide& watch(const std::string& name)
    {
        WatcherSide& watcher = watchers.emplace_back(name);
        watcher.session.connected(now);
        const std::string first_line = watcher.session.take_output().lines.at(0);
        if (const std::optional<ByeReason> bye = host.answer_opening(first_line)) {
            watcher.heard.push_back(format_message(Bye{*bye}));
            watcher.session.receive(watcher.heard.back(), now);
            watcher.closed = true;
        } else {
            host.admit_watcher(watchers.size(), now);
        }
        carry();
        return watcher;
    }
    // Carries the lines every way until no side has any left to send.
    void carry()
    {
        bool moved = true;
        while (moved) {
            moved = carry_to_guest(host.take_output());
            if (guest) moved |= carry_to_host(guest->take_output());
            moved |= carry_among_watchers();
        }
    }
    // Both tables come to rest, each side takes what waited for that, and
    // the lines go over, until nothing moves any more.
    void rest()
    {
        for (int round = 0; round < 10 && (round == 0 || host_table.rolling || guest_table.rolling); ++round) {
            host_table.rolling = guest_table.rolling = false;
            for (WatcherSide& watcher : watchers) watcher.table.rolling = false;
            host.pump(now);
            if (guest) guest->pump(now);
            for (WatcherSide& watcher : watchers) watcher.session.pump(now);
            carry();
        }
    }
    bool same_tables() const { return host_table.state_without_time() == guest_table.state_without_time(); }

private:
    bool carry_among_watchers()
    {
        bool moved = false;
        for (auto& [id, output] : host.take_watcher_output()) {
            WatcherSide& watcher = *std::next(watchers.begin(), static_cast<long>(id) - 1);
            for (const std::string& line : output.lines) {
                watcher.heard.push_back(line);
                watcher.session.receive(line, now);
            }
            if (output.close) watcher.session.connection_closed();
            watcher.closed |= output.close;
            moved |= !output.lines.empty();
        }
        Audience::WatcherId id = 0;
        for (WatcherSide& watcher : watchers) {
            ++id;
            const SessionOutput output = watcher.session.take_output();
            if (watcher.closed) continue;
            for (const std::string& line : output.lines) host.receive_from_watcher(id, line, now);
            moved |= !output.lines.empty();
        }
        return moved;
    }
    bool carry_to_guest(SessionOutput output)
    {
        host_events.insert(host_events.end(), output.events.begin(), output.events.end());
        for (const std::string& line : output.lines) {
            to_guest.push_back(line);
            guest->receive(line, now);
        }
        if (output.close) guest->connection_closed();
        return !output.lines.empty();
    }
    bool carry_to_host(SessionOutput output)
    {
        guest_events.insert(guest_events.end(), output.events.begin(), output.events.end());
        for (const std::string& line : output.lines) {
            to_host.push_back(line);
            host.receive(line, now);
        }
        if (output.close) host.connection_closed();
        return !output.lines.empty();
    }
};
