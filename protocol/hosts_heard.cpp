#include "protocol/hosts_heard.h"

#include <algorithm>
#include <tuple>

#include "protocol/protocol_limits.h"

namespace {

// A local network holds few hosts; announcements beyond these push out the oldest.
constexpr std::size_t MAX_HOSTS_HEARD = 32;

bool still_heard(const HeardHost& host, int64_t now)
{
    return now - host.heard_at < HOST_HEARD_FOR_MS;
}

}  // namespace

void HostsHeard::heard(const std::string& address, const HostAnnouncement& announcement, int64_t now)
{
    std::erase_if(hosts_, [&](const HeardHost& host) {
        return (host.address == address && host.port == announcement.port) || !still_heard(host, now);
    });
    if (hosts_.size() >= MAX_HOSTS_HEARD) {
        const auto oldest = std::min_element(hosts_.begin(), hosts_.end(), [](const HeardHost& a, const HeardHost& b) {
            return a.heard_at < b.heard_at;
        });
        hosts_.erase(oldest);
    }
    hosts_.push_back({address, announcement.port, announcement.name, now});
}

std::vector<HeardHost> HostsHeard::current(int64_t now) const
{
    std::vector<HeardHost> listed;
    std::copy_if(hosts_.begin(), hosts_.end(), std::back_inserter(listed),
                 [now](const HeardHost& host) { return still_heard(host, now); });
    std::sort(listed.begin(), listed.end(), [](const HeardHost& a, const HeardHost& b) {
        return std::tie(a.name, a.address, a.port) < std::tie(b.name, b.address, b.port);
    });
    return listed;
}
