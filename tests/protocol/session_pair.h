#pragma once

#include <optional>
#include <string>
#include <vector>

#include "protocol/guest_session.h"
#include "protocol/host_session.h"
#include "tests/protocol/fake_match_table.h"

// Both sides of a match wired to each other line by line, each on its own
// stand-in table, with a clock the caller moves.

template <typename Event>
std::vector<Event> events_of(const std::vector<SessionEvent>& events)
{
    std::vector<Event> found;
    for (const SessionEvent& event : events)
        if (const auto* e = std::get_if<Event>(&event)) found.push_back(*e);
    return found;
}

class SessionPair {
public:
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
    // Carries the lines both ways until neither side has any left to send.
    void carry()
    {
        bool moved = true;
        while (moved) {
            moved = carry_to_guest(host.take_output());
            moved |= carry_to_host(guest->take_output());
        }
    }
    // Both tables come to rest, each side takes what waited for that, and
    // the lines go over, until nothing moves any more.
    void rest()
    {
        for (int round = 0; round < 10 && (round == 0 || host_table.rolling || guest_table.rolling); ++round) {
            host_table.rolling = guest_table.rolling = false;
            host.pump(now);
            guest->pump(now);
            carry();
        }
    }
    bool same_tables() const { return host_table.state_without_time() == guest_table.state_without_time(); }

private:
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
