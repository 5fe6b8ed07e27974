#include "net/relay/broker_client.h"

#include <linux/tcp.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "net/relay/signed_lines.h"
#include "protocol/host_address.h"

namespace {

constexpr int KEEPALIVE_S = 30;
// The library's thread looks whether it should stop at least this often.
constexpr int LOOP_WAIT_MS = 1'000;
// Between two attempts to reach the broker, doubling from the first to the last.
constexpr int FIRST_RETRY_MS = 500;
constexpr int LAST_RETRY_MS = 4'000;
// An attempt that has not reached the broker in this time is given up: a
// network gone silent in the middle of a handshake is not waited on for ever,
// and a slow one (three round trips of seconds each) is waited on.
constexpr auto REACH_LIMIT = std::chrono::seconds(KEEPALIVE_S);
// Messages heard and not yet taken by this object's thread. A flood beyond
// it is dropped where it arrives instead of piling up.
constexpr std::size_t MAX_WAITING_MESSAGES = 1'024;
constexpr int AT_LEAST_ONCE = 1;

// A connection refused or reset while the library still shakes hands over
// TLS: its loop would go on returning at once, without a word, for ever.
bool connection_failed(int socket)
{
    pollfd watched{socket, POLLOUT, 0};
    return poll(&watched, 1, 0) == 1 && (watched.revents & (POLLERR | POLLHUP)) != 0;
}

// The relay took the TLS hello (its system acknowledged it) and then closed,
// or answered with what is not TLS, before any TLS server would have
// answered: a plain listener. A connection refused or cut before the
// hello came through, or after a TLS answer, is none.
bool plain_listener(mosquitto* handle)
{
    const auto* tls = static_cast<const SSL*>(mosquitto_ssl_get(handle));
    tcp_info connection{};
    socklen_t size = sizeof connection;
    return tls != nullptr && SSL_get_state(tls) == TLS_ST_CW_CLNT_HELLO
           && getsockopt(mosquitto_socket(handle), IPPROTO_TCP, TCP_INFO, &connection, &size) == 0
           && connection.tcpi_bytes_acked > 0;
}

bool certificate_refused(unsigned long error)
{
    return ERR_GET_LIB(error) == ERR_LIB_SSL && ERR_GET_REASON(error) == SSL_R_CERTIFICATE_VERIFY_FAILED;
}

// Acknowledges what the broker sends at once instead of some 40 ms later. A
// broker that gathers small writes (most do) holds its next message to this
// end until the last is acknowledged, so a line's way would wait on every
// acknowledgement. The system forgets the setting after a while, so it is set
// again before each wait.
void acknowledge_at_once(int socket)
{
    if (socket < 0) return;
    const int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
}

}  // namespace

BrokerClient::BrokerClient(const RelayAddress& address, Admission admit, QObject* parent)
    : QObject(parent),
      address_(address),
      admit_(std::move(admit))
{
    static std::once_flag library_ready;
    std::call_once(library_ready, [] { mosquitto_lib_init(); });
    thread_ = std::thread([this, address] { run(address); });
}

BrokerClient::~BrokerClient()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    {
        // Wakes the library's loop at once when connected.
        const std::lock_guard lock(handle_mutex_);
        if (handle_) mosquitto_disconnect(handle_);
    }
    thread_.join();
}

void BrokerClient::subscribe(const QByteArray& topic)
{
    topics_.insert(topic);
    if (!connected_) return;
    int id = 0;
    const std::lock_guard lock(handle_mutex_);
    if (handle_ && mosquitto_subscribe(handle_, &id, topic.constData(), AT_LEAST_ONCE) == MOSQ_ERR_SUCCESS)
        subscribing_.insert(id, topic);
}

void BrokerClient::unsubscribe(const QByteArray& topic)
{
    topics_.remove(topic);
    if (!connected_) return;
    const std::lock_guard lock(handle_mutex_);
    if (handle_) mosquitto_unsubscribe(handle_, nullptr, topic.constData());
}

void BrokerClient::publish(const QByteArray& topic, const QByteArray& payload)
{
    int id = 0;
    const std::lock_guard lock(handle_mutex_);
    if (handle_
        && mosquitto_publish(handle_, &id, topic.constData(), static_cast<int>(payload.size()), payload.constData(),
                             AT_LEAST_ONCE, false)
               == MOSQ_ERR_SUCCESS)
        unacknowledged_.insert(id);
}

// The library's thread: connects, serves the connection until it ends,
// waits, and connects again, until this object goes.
void BrokerClient::run(const RelayAddress& address)
{
    int delay_ms = FIRST_RETRY_MS;
    for (;;) {
        const LinkEnd end = connect_once(address);
        if (stopping()) return;
        QMetaObject::invokeMethod(this, [this, end] { link_down(end); }, Qt::QueuedConnection);
        // A certificate that does not verify will not verify on the next attempt either.
        if (end == LinkEnd::certificate_refused) {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_; });
            return;
        }
        wait_before_connecting_again(delay_ms);
    }
}

// One connection, on a handle of its own: the library sets TLS up once for a
// handle, and refuses to set it up again when trust comes from the system's
// certificates alone, so a handle that connected once never connects again.
BrokerClient::LinkEnd BrokerClient::connect_once(const RelayAddress& address)
{
    mosquitto* handle = new_handle(address.tls);
    end_ = LinkEnd::lost;
    {
        const std::lock_guard lock(handle_mutex_);
        handle_ = handle;
    }
    serve(handle, address);
    {
        const std::lock_guard lock(handle_mutex_);
        handle_ = nullptr;
    }
    mosquitto_destroy(handle);
    return end_;
}

mosquitto* BrokerClient::new_handle(bool tls)
{
    // A client name of the library's drawing, and a clean session: nothing of
    // a connection is kept on the broker once it ends.
    mosquitto* handle = mosquitto_new(nullptr, true, this);
    mosquitto_threaded_set(handle, true);
    mosquitto_log_callback_set(handle, on_log);
    mosquitto_connect_callback_set(handle, on_connect);
    mosquitto_subscribe_callback_set(handle, on_subscribe);
    mosquitto_publish_callback_set(handle, on_publish);
    mosquitto_message_callback_set(handle, on_message);
    // A line goes out at once, not gathered with the next: an input is a few bytes.
    mosquitto_int_option(handle, MOSQ_OPT_TCP_NODELAY, 1);
    // The system's certificates, as OpenSSL finds them (SSL_CERT_FILE and SSL_CERT_DIR included).
    if (tls) mosquitto_int_option(handle, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
    return handle;
}

void BrokerClient::serve(mosquitto* handle, const RelayAddress& address)
{
    const QByteArray host = address.host.toUtf8();
    const auto give_up = std::chrono::steady_clock::now() + REACH_LIMIT;
    int result = mosquitto_connect_async(handle, host.constData(), address.port, KEEPALIVE_S);
    while (result == MOSQ_ERR_SUCCESS && !stopping() && (reached_ || std::chrono::steady_clock::now() < give_up)) {
        if (connection_failed(mosquitto_socket(handle))) {
            if (end_ == LinkEnd::lost && plain_listener(handle)) end_ = LinkEnd::not_tls;
            return;
        }
        acknowledge_at_once(mosquitto_socket(handle));
        result = mosquitto_loop(handle, LOOP_WAIT_MS, 1);
    }
}

bool BrokerClient::stopping()
{
    const std::lock_guard lock(mutex_);
    return stopping_;
}

// A broker that was reached is tried again soon; one that was not, less and less often.
void BrokerClient::wait_before_connecting_again(int& delay_ms)
{
    if (reached_) delay_ms = FIRST_RETRY_MS;
    reached_ = false;
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(delay_ms), [this] { return stopping_; });
    delay_ms = std::min(delay_ms * 2, LAST_RETRY_MS);
}

// The library tells why a TLS handshake failed only in its log, as OpenSSL's
// errors: what tells a certificate that does not verify from a relay that
// does not speak TLS, and both from a connection cut.
void BrokerClient::on_log(mosquitto* handle, void* self, int level, const char* text)
{
    const char* error_text = level == MOSQ_LOG_ERR ? std::strstr(text, "error:") : nullptr;
    unsigned long error = 0;
    if (error_text == nullptr || std::sscanf(error_text, "error:%lx", &error) != 1) return;
    auto* client = static_cast<BrokerClient*>(self);
    if (certificate_refused(error)) client->end_ = LinkEnd::certificate_refused;
    else if (client->end_ == LinkEnd::lost && plain_listener(handle)) client->end_ = LinkEnd::not_tls;
}

void BrokerClient::on_connect(mosquitto*, void* self, int result)
{
    auto* client = static_cast<BrokerClient*>(self);
    if (result != 0) return;
    client->reached_ = true;
    QMetaObject::invokeMethod(client, [client] { client->link_up(); }, Qt::QueuedConnection);
}

void BrokerClient::on_subscribe(mosquitto*, void* self, int id, int, const int*)
{
    auto* client = static_cast<BrokerClient*>(self);
    QMetaObject::invokeMethod(
        client,
        [client, id] {
            const QByteArray topic = client->subscribing_.take(id);
            if (client->topics_.contains(topic)) emit client->subscribed(topic);
        },
        Qt::QueuedConnection);
}

void BrokerClient::on_publish(mosquitto*, void* self, int id)
{
    auto* client = static_cast<BrokerClient*>(self);
    QMetaObject::invokeMethod(
        client,
        [client, id] {
            client->unacknowledged_.remove(id);
            emit client->acknowledged();
        },
        Qt::QueuedConnection);
}

void BrokerClient::on_message(mosquitto*, void* self, const mosquitto_message* message)
{
    // Nothing longer than a signed line is kept: it cannot be one of the match's.
    if (message->payloadlen > MAX_SIGNED_LINE_BYTES) return;
    auto* client = static_cast<BrokerClient*>(self);
    Message heard{QByteArray(message->topic),
                  QByteArray(static_cast<const char*>(message->payload), message->payloadlen)};
    if (client->admit_(heard.topic, heard.payload)) client->queue_message(std::move(heard));
}

void BrokerClient::queue_message(Message message)
{
    const std::lock_guard lock(mutex_);
    if (arrived_.size() >= MAX_WAITING_MESSAGES) return;
    arrived_.push_back(std::move(message));
    if (arrived_.size() == 1) QMetaObject::invokeMethod(this, [this] { take_messages(); }, Qt::QueuedConnection);
}

void BrokerClient::take_messages()
{
    std::deque<Message> taken;
    {
        const std::lock_guard lock(mutex_);
        taken.swap(arrived_);
    }
    for (const Message& message : taken) emit message_arrived(message.topic, message.payload);
}

void BrokerClient::link_up()
{
    connected_ = true;
    emit link_changed(true);
    for (const QByteArray& topic : std::as_const(topics_)) subscribe(topic);
}

void BrokerClient::link_down(LinkEnd end)
{
    // What the connection had not had acknowledged went with it.
    subscribing_.clear();
    unacknowledged_.clear();
    if (connected_) {
        connected_ = false;
        emit link_changed(false);
    }
    switch (end) {
    case LinkEnd::lost:
        emit link_failed(unreachable(), false);
        return;
    case LinkEnd::not_tls:
        emit link_failed(trouble(LinkTrouble::Kind::relay_not_tls), false);
        return;
    case LinkEnd::certificate_refused:
        emit link_failed(trouble(LinkTrouble::Kind::relay_certificate), true);
        return;
    }
}
