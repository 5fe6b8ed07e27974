#pragma once

#include <QString>
#include <optional>

// Where the relay is, and whether the connection to it is encrypted (TLS,
// checked against the system's certificates).
struct RelayAddress {
    QString host;
    quint16 port = 0;
    bool tls = true;

    bool operator==(const RelayAddress&) const = default;
};

// A relay as a player writes it: HOST[:PORT], or with mqtts:// or mqtt:// in
// front. Without a scheme, the usual plain port 1883 means plain text and any
// other port TLS, 8883 when none is given: an encrypted relay is never tried
// in plain text. Nothing when it is not an address.
std::optional<RelayAddress> read_relay_address(const QString& text);
// Said where a relay is typed: a relay written without a scheme is mostly TLS.
inline constexpr char RELAY_FORMS_HINT[] = "Over TLS, or mqtt://HOST:PORT for a plain relay";
