#pragma once

#include <QString>
#include <optional>

#include "protocol/host_journal.h"
#include "net/relay/relay_address.h"

// A hosted match's two codes, as read_match_code gives them.
struct RelayCodes {
    QString match, watch;
};
struct KeptRelay {
    RelayAddress address;
    RelayCodes codes;
};

// A hosted match's relay and codes as its journal keeps them: the address
// written so that it reads back the same, the codes without their dash.
JournalRelay journal_relay(const RelayAddress& address, const RelayCodes& codes);
// Nothing when the journal's address does not read as a relay. A journal
// kept before matches could be watched gets a new watch code.
std::optional<KeptRelay> relay_of_journal(const JournalRelay& kept);
