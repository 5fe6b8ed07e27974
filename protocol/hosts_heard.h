#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/message.h"

struct HeardHost {
    std::string address;
    uint16_t port = 0;
    std::string name;
    int64_t heard_at = 0;  // monotonic milliseconds
    bool operator==(const HeardHost&) const = default;
};

// The hosts a guest has heard announce themselves on the local network, each
// listed for 6 s after it was last heard. A host is its address and port.
class HostsHeard {
public:
    void heard(const std::string& address, const HostAnnouncement& announcement, int64_t now);
    // By name, then address and port.
    std::vector<HeardHost> current(int64_t now) const;

private:
    std::vector<HeardHost> hosts_;
};
