#include <gtest/gtest.h>

#include "net/relay/match_code.h"
#include "net/relay/relay_address.h"
#include "net/relay/relay_keys.h"
#include "net/relay/signed_lines.h"

// What both players compute alone from their match code, and what a
// receiver makes of each message: nothing here needs a broker.
namespace {

TEST(MatchCode, ATypedCodeIsReadAsThePlayerMeantItAndAnAddressIsNotACode)
{
    const struct {
        const char* typed;
        const char* read;  // nullptr: not a code
    } cases[] = {
        {"7K3QZ-M9TXA", "7K3QZM9TXA"},
        {" 7k3qz m9txa ", "7K3QZM9TXA"},
        {"oIlOi-LLOOI", "0110111001"},
        {"7K3QZ-M9TX", nullptr},     // nine
        {"7K3QZ-M9TXAB", nullptr},   // eleven
        {"7K3QZ-M9TXU", nullptr},    // not in the alphabet
        {"7K3QZ_M9TXA", nullptr},
        {"192.168.1.20", nullptr},
        {"relay.example:1883", nullptr},
        {"localhost", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QString> code = read_match_code(QString::fromUtf8(c.typed));
        if (c.read) EXPECT_EQ(code, QString::fromLatin1(c.read)) << c.typed;
        else EXPECT_FALSE(code) << c.typed << " read as " << code->toStdString();
    }
}

TEST(MatchCode, ADrawnCodeIsShownInTwoHalvesAndReadBackToItself)
{
    const QString code = draw_match_code();
    const QString shown = show_match_code(code);
    ASSERT_EQ(shown.size(), MATCH_CODE_LENGTH + 1);
    EXPECT_EQ(shown[MATCH_CODE_LENGTH / 2], u'-');
    EXPECT_EQ(read_match_code(shown), code);
    EXPECT_NE(draw_match_code(), code);
}

// The known answers were computed apart from this code, with Python's
// hashlib and hmac, from the texts the protocol names.
TEST(RelayKeys, IdKeyAndSignatureAreTheKnownAnswers)
{
    const RelayKeys keys = derive_relay_keys(QStringLiteral("7K3QZM9TXA"));
    EXPECT_EQ(keys.id, QByteArray("0b3f1541357de1955ac8e312a592d412"));
    EXPECT_EQ(keys.key.toHex(), QByteArray("fcc08f2c78fc2cdc1eee5379aa3e093fb45c0f73f3313528e22d3707bdd37e41"));
    LineSigner signer({keys.key, RelaySide::guest, "0123456789abcdef"});
    EXPECT_EQ(signer.sign("hello 1 Bo"), QByteArray("1 3a6614904ede6e34 hello 1 Bo"));
    EXPECT_EQ(relay_topic(keys.id, RelaySide::guest, "0123456789abcdef"),
              QByteArray("corvenne/1/0b3f1541357de1955ac8e312a592d412/g/0123456789abcdef"));
}

TEST(SignedLines, AReceiverTakesEachSignedLineOnceInOrderAndNothingElse)
{
    using Verdict = LineChecker::Verdict;
    const RelayKeys keys = derive_relay_keys(QStringLiteral("7K3QZM9TXA"));
    const QByteArray connection = "0123456789abcdef";
    const RelayChannel channel{keys.key, RelaySide::host, connection};
    LineSigner host(channel);
    const QByteArray first = host.sign("welcome 1 Anna");
    const QByteArray second = host.sign("seat 00000000000000ff");
    const QByteArray third = host.sign("ready 0");
    const QByteArray fourth = host.sign(std::string(MAX_LINE_BYTES, 'x'));
    const QByteArray forged = "2 " + relay_line_mac(channel, 2, "bye leaving") + " bye leaving!";
    const QByteArray other_side = LineSigner({keys.key, RelaySide::guest, connection}).sign("welcome 1 Anna");
    const QByteArray other_connection = LineSigner({keys.key, RelaySide::host, "fedcba9876543210"}).sign("ready 0");
    const QByteArray other_match =
        LineSigner({derive_relay_keys(QStringLiteral("0000000000")).key, RelaySide::host, connection}).sign("ready 0");

    const struct {
        QByteArray payload;
        Verdict verdict;
    } steps[] = {
        {other_side, Verdict::drop},
        {other_match, Verdict::drop},
        {"", Verdict::drop},
        {"1", Verdict::drop},
        {"01 " + first.mid(2), Verdict::drop},
        {first, Verdict::take},
        {first, Verdict::drop},  // replayed
        {forged, Verdict::drop},
        {other_connection, Verdict::drop},
        {second, Verdict::take},
        {fourth, Verdict::lost},  // the third never came
        {third, Verdict::take},
        {fourth, Verdict::broken},
    };
    LineChecker guest(channel);
    for (const auto& step : steps) EXPECT_EQ(guest.check(step.payload).verdict, step.verdict) << step.payload.left(40).toStdString();
    EXPECT_TRUE(signed_for_match(keys, relay_topic(keys.id, RelaySide::host, connection), third));
    EXPECT_FALSE(signed_for_match(keys, relay_topic(keys.id, RelaySide::guest, connection), third));
}

TEST(RelayAddress, ARelayIsEncryptedUnlessItsAddressSaysPlainText)
{
    const struct {
        const char* text;
        std::optional<RelayAddress> address;
    } cases[] = {
        {"relay.example", RelayAddress{"relay.example", 8883, true}},
        {"relay.example:9000", RelayAddress{"relay.example", 9000, true}},
        {"relay.example:1883", RelayAddress{"relay.example", 1883, false}},
        {"mqtt://127.0.0.1:45000", RelayAddress{"127.0.0.1", 45000, false}},
        {"mqtt://relay.example", RelayAddress{"relay.example", 1883, false}},
        {"mqtts://relay.example:1883", RelayAddress{"relay.example", 1883, true}},
        {"relay.example:0", std::nullopt},
        {"relay.example:70000", std::nullopt},
        {"relay.example:", std::nullopt},
        {"mqtts://", std::nullopt},
        {"http://relay.example", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<RelayAddress> address = read_relay_address(QString::fromUtf8(c.text));
        ASSERT_EQ(address.has_value(), c.address.has_value()) << c.text;
        if (!address) continue;
        EXPECT_EQ(address->host, c.address->host) << c.text;
        EXPECT_EQ(address->port, c.address->port) << c.text;
        EXPECT_EQ(address->tls, c.address->tls) << c.text;
    }
}

}  // namespace
