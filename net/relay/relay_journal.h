#pragma once

#include <QString>
#include <optional>
#include <utility>

#include "protocol/host_journal.h"
#include "net/relay/relay_address.h"

// A hosted match's relay and code as its journal keeps them: the address
// written so that it reads back the same, the code without its dash.
JournalRelay journal_relay(const RelayAddress& address, const QString& code);
// Nothing when the journal's address does not read as a relay.
std::optional<std::pair<RelayAddress, QString>> relay_of_journal(const JournalRelay& kept);
