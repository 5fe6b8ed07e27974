#include "protocol/session_link.h"

#include <algorithm>
#include <utility>

#include "protocol/protocol_limits.h"

namespace {

constexpr int64_t AIM_COST = 1000;
constexpr int64_t AIM_BUDGET_LIMIT = AIM_COST * MAX_AIMS_PER_SECOND;

}  // namespace

void SessionLink::open(int64_t now)
{
    open_ = true;
    now_ = now;
    last_heard_ = now;
    last_sent_ = now;
    aim_budget_ = AIM_BUDGET_LIMIT;
    aim_budget_at_ = now;
    forget_aims();
    last_aim_sent_at_.reset();
}

void SessionLink::send(const Message& message)
{
    if (!open_) return;
    output_.lines.push_back(format_message(message));
    last_sent_ = now_;
}

void SessionLink::end(std::optional<ByeReason> say)
{
    if (!open_) return;
    if (say) send(Bye{*say});
    open_ = false;
    output_.close = true;
}

bool SessionLink::silent_too_long(int64_t now) const
{
    return open_ && now - last_heard_ >= SILENCE_LIMIT_MS;
}

void SessionLink::keep_up(int64_t now)
{
    now_ = now;
    if (held_aim_ && now - *last_aim_sent_at_ >= aim_spacing_ms_) {
        send_aim(*held_aim_, now);
        held_aim_.reset();
    }
    if (now - last_sent_ >= PING_AFTER_MS) send(Ping{});
}

void SessionLink::pace_aims(int per_second)
{
    aim_spacing_ms_ = spacing_ms(std::clamp(per_second, 1, MAX_AIMS_PER_SECOND));
}

bool SessionLink::aim_within_limit(int64_t now)
{
    aim_budget_ = std::min(AIM_BUDGET_LIMIT, aim_budget_ + (now - aim_budget_at_) * MAX_AIMS_PER_SECOND);
    aim_budget_at_ = now;
    if (aim_budget_ < AIM_COST) return false;
    aim_budget_ -= AIM_COST;
    return true;
}

void SessionLink::offer_aim(const Aim& aim, int64_t now)
{
    now_ = now;
    if (aim == aim_sent_) {
        held_aim_.reset();
        return;
    }
    if (last_aim_sent_at_ && now - *last_aim_sent_at_ < aim_spacing_ms_) {
        held_aim_ = aim;
        return;
    }
    send_aim(aim, now);
}

void SessionLink::send_aim(const Aim& aim, int64_t now)
{
    send(aim);
    aim_sent_ = aim;
    last_aim_sent_at_ = now;
}

SessionOutput SessionLink::take_output()
{
    return std::exchange(output_, SessionOutput{});
}

EndReason reason_heard(ByeReason said)
{
    switch (said) {
    case ByeReason::leaving: return EndReason::left;
    case ByeReason::version: return EndReason::version;
    case ByeReason::busy: return EndReason::busy;
    case ByeReason::malformed: return EndReason::malformed;
    case ByeReason::timeout: return EndReason::lost;
    case ByeReason::replaced: return EndReason::replaced;
    case ByeReason::full: return EndReason::full;
    }
    return EndReason::lost;
}
