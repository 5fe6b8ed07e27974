#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "protocol/session_link.h"

// Who watches a hosted match, each over a connection of its own, named by
// its owner. A newcomer is owed the match so far, which the host hands over
// once its table shows how the last input ended; from then on each hears
// what the host passes on (numbered inputs, checks, aims, who holds the
// seat). A watcher may only ping, ask for the host's table or leave: nothing
// it says changes the match, and nobody waits for it.
class Audience {
public:
    using WatcherId = uint64_t;

    std::size_t size() const { return watchers_.size(); }
    bool full() const;

    void admit(WatcherId id, const std::vector<Message>& greeting, int64_t now);
    void receive(WatcherId id, std::string_view line, int64_t now);
    // Closes the watcher's connection, saying goodbye first when `say` is given.
    void drop(WatcherId id, std::optional<ByeReason> say);
    void pump(int64_t now);
    void leave();

    // To every watcher who has the match already.
    void send_all(const Message& message);
    // Who holds the guest's seat: to every watcher, the match owed or not.
    void tell_seat(const Message& message);
    void offer_aim(const Aim& aim, int64_t now);
    void forget_aims();
    void pace_aims(int per_second);

    bool anyone_owed_match() const;
    void hand_match(const std::vector<Message>& match);
    bool anyone_asked_sync() const;
    void answer_sync(const Sync& sync);

    // What to send each watcher's connection, and whether to close it.
    std::vector<std::pair<WatcherId, SessionOutput>> take_output();

private:
    struct Watcher {
        SessionLink link;
        bool match_owed = true;
        bool sync_asked = false;
    };

    std::map<WatcherId, Watcher> watchers_;
    // Connections ended and forgotten, whose last lines are still to go out.
    std::vector<std::pair<WatcherId, SessionOutput>> farewells_;
    int aims_per_second_ = MAX_AIMS_PER_SECOND;
};
