#include "net/relay/broker_client.h"

#include <mosquitto.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

#include "net/relay/signed_lines.h"
#include "protocol/host_address.h"

namespace {

constexpr int KEEPALIVE_S = 30;
// The library's thread looks whether it should stop at least this often.
constexpr int LOOP_WAIT_MS = 1'000;
// Between two attempts to reach the broker, doubling from the first to the last.
constexpr int FIRST_RETRY_MS = 500;
constexpr int LAST_RETRY_MS = 4'000;
// Messages heard and not yet taken by this object's thread. A flood beyond
// it is dropped where it arrives instead of piling up.
constexpr std::size_t MAX_WAITING_MESSAGES = 1'024;
constexpr int AT_LEAST_ONCE = 1;

// The library tells a failed TLS handshake or a certificate refused either
// way: as its TLS error, or as a system error with errno set to EPROTO.
bool tls_failed(int result, int error_number)
{
    return result == MOSQ_ERR_TLS || (result == MOSQ_ERR_ERRNO && error_number == EPROTO);
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

QString BrokerClient::unreachable() const
{
    return QStringLiteral("The relay %1 cannot be reached: is the address right?").arg(where_);
}

BrokerClient::BrokerClient(const RelayAddress& address, Admission admit, QObject* parent)
    : QObject(parent),
      where_(QString::fromStdString(host_and_port_text({address.host.toStdString(), address.port}))),
      admit_(std::move(admit))
{
    static std::once_flag library_ready;
    std::call_once(library_ready, [] { mosquitto_lib_init(); });
    // A client name of the library's drawing, and a clean session: nothing of
    // a connection is kept on the broker once it ends.
    handle_ = mosquitto_new(nullptr, true, this);
    mosquitto_threaded_set(handle_, true);
    mosquitto_connect_callback_set(handle_, on_connect);
    mosquitto_subscribe_callback_set(handle_, on_subscribe);
    mosquitto_publish_callback_set(handle_, on_publish);
    mosquitto_message_callback_set(handle_, on_message);
    // A line goes out at once, not gathered with the next: an input is a few bytes.
    mosquitto_int_option(handle_, MOSQ_OPT_TCP_NODELAY, 1);
    if (address.tls) mosquitto_int_option(handle_, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
    thread_ = std::thread([this, address] { run(address); });
}

BrokerClient::~BrokerClient()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    // Wakes the library's loop at once when connected.
    mosquitto_disconnect(handle_);
    thread_.join();
    mosquitto_destroy(handle_);
}

void BrokerClient::subscribe(const QByteArray& topic)
{
    topics_.insert(topic);
    int id = 0;
    if (connected_ && mosquitto_subscribe(handle_, &id, topic.constData(), AT_LEAST_ONCE) == MOSQ_ERR_SUCCESS)
        subscribing_.insert(id, topic);
}

void BrokerClient::unsubscribe(const QByteArray& topic)
{
    topics_.remove(topic);
    if (connected_) mosquitto_unsubscribe(handle_, nullptr, topic.constData());
}

void BrokerClient::publish(const QByteArray& topic, const QByteArray& payload)
{
    int id = 0;
    if (mosquitto_publish(handle_, &id, topic.constData(), static_cast<int>(payload.size()), payload.constData(),
                          AT_LEAST_ONCE, false) == MOSQ_ERR_SUCCESS)
        unacknowledged_.insert(id);
}

// The library's thread: connects, serves the connection until it ends,
// waits, and connects again, until this object goes.
void BrokerClient::run(const RelayAddress& address)
{
    const QByteArray host = address.host.toUtf8();
    int delay_ms = FIRST_RETRY_MS;
    for (;;) {
        {
            const std::lock_guard lock(mutex_);
            if (stopping_) return;
        }
        int result = mosquitto_connect_async(handle_, host.constData(), address.port, KEEPALIVE_S);
        while (result == MOSQ_ERR_SUCCESS) {
            {
                const std::lock_guard lock(mutex_);
                if (stopping_) return;
            }
            acknowledge_at_once(mosquitto_socket(handle_));
            result = mosquitto_loop(handle_, LOOP_WAIT_MS, 1);
        }
        // A certificate that does not verify will not verify on the next attempt either.
        const bool lasting = tls_failed(result, errno);
        QMetaObject::invokeMethod(this, [this, lasting] { link_down(lasting); }, Qt::QueuedConnection);
        if (lasting) {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_; });
            return;
        }
        wait_before_connecting_again(delay_ms);
    }
}

// A broker that was reached is tried again soon; one that was not, less and less often.
void BrokerClient::wait_before_connecting_again(int& delay_ms)
{
    std::unique_lock lock(mutex_);
    if (reached_) delay_ms = FIRST_RETRY_MS;
    reached_ = false;
    wake_.wait_for(lock, std::chrono::milliseconds(delay_ms), [this] { return stopping_; });
    delay_ms = std::min(delay_ms * 2, LAST_RETRY_MS);
}

void BrokerClient::on_connect(mosquitto*, void* self, int result)
{
    auto* client = static_cast<BrokerClient*>(self);
    if (result != 0) return;
    {
        const std::lock_guard lock(client->mutex_);
        client->reached_ = true;
    }
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

void BrokerClient::link_down(bool lasting)
{
    subscribing_.clear();
    if (connected_) {
        connected_ = false;
        emit link_changed(false);
    }
    if (lasting)
        emit link_failed(
            QStringLiteral("The relay %1 fails its secure connection (TLS): its certificate does not verify").arg(where_),
            true);
    else
        emit link_failed(unreachable(), false);
}
