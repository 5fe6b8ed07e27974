#pragma once

#include <QString>
#include <QStringList>

#include "net/link_trouble.h"

// What a player is told about a connection, or about hosting one: in words
// that say where and what to check. The same context as app/network_words.h.
QString link_words(const LinkTrouble& trouble);

// How a relay and a host are written, told when one is not.
QString relay_address_hint();
QString host_address_hint();

// What the host and join dialogs say while they wait.
QString reaching_relay_text();
QString hosting_here_text(const QStringList& addresses, quint16 port);
QString hosting_code_text(const QString& relay);
QString connecting_text();
