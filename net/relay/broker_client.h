#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "net/link_trouble.h"
#include "net/relay/relay_address.h"

struct mosquitto;
struct mosquitto_message;

// One connection to a relay (an MQTT broker), kept up for as long as this
// object lives: when the broker drops it, it connects again and subscribes
// again to every topic it was given.
//
// The broker's client library runs on a thread of its own, and what it hears
// comes to this object's thread as queued calls. Its own loop waits on the
// socket and on what the TLS layer has already decrypted, keeps the
// connection alive, and resolves names and shakes hands with the broker
// without ever stopping the window; driving it from the window's event loop
// instead would need all of that done again here.
class BrokerClient : public QObject {
    Q_OBJECT

public:
    // Which messages are worth this program's time: asked on the library's
    // thread, as each arrives, so that a flood of others is dropped there.
    using Admission = std::function<bool(const QByteArray& topic, const QByteArray& payload)>;

    // Starts connecting at once.
    BrokerClient(const RelayAddress& address, Admission admit, QObject* parent = nullptr);
    ~BrokerClient() override;

    // The trouble told while the broker was never reached.
    LinkTrouble unreachable() const { return trouble(LinkTrouble::Kind::relay_unreachable); }

    bool connected() const { return connected_; }
    // Kept until unsubscribed, and subscribed again at every new connection.
    void subscribe(const QByteArray& topic);
    void unsubscribe(const QByteArray& topic);
    // At least once, not retained. One the library refuses (no connection)
    // is lost, and the receiver's count of lines tells it.
    void publish(const QByteArray& topic, const QByteArray& payload);
    // Messages published and not yet acknowledged by the broker.
    int unacknowledged() const { return unacknowledged_.size(); }

signals:
    void link_changed(bool connected);
    // The broker acknowledged a subscription, at each connection.
    void subscribed(const QByteArray& topic);
    void message_arrived(const QByteArray& topic, const QByteArray& payload);
    // A connection to the broker failed or ended. When `lasting` (the
    // broker's certificate does not verify), it is not tried again.
    void link_failed(const LinkTrouble& why, bool lasting);
    void acknowledged();

private:
    struct Message {
        QByteArray topic, payload;
    };
    // How a connection to the broker ended, as far as the player cares.
    enum class LinkEnd { lost, not_tls, certificate_refused };

    void run(const RelayAddress& address);
    LinkEnd connect_once(const RelayAddress& address);
    mosquitto* new_handle(bool tls);
    void serve(mosquitto* handle, const RelayAddress& address);
    bool stopping();
    void wait_before_connecting_again(int& delay_ms);
    static void on_log(mosquitto* handle, void* self, int level, const char* text);
    static void on_connect(mosquitto*, void* self, int result);
    static void on_subscribe(mosquitto*, void* self, int id, int, const int*);
    static void on_publish(mosquitto*, void* self, int id);
    static void on_message(mosquitto*, void* self, const mosquitto_message* message);
    void queue_message(Message message);
    void take_messages();
    void link_up();
    void link_down(LinkEnd end);
    LinkTrouble trouble(LinkTrouble::Kind kind) const { return {kind, address_.host, address_.port}; }

    const RelayAddress address_;
    const Admission admit_;
    QSet<QByteArray> topics_;
    QHash<int, QByteArray> subscribing_;
    QSet<int> unacknowledged_;
    bool connected_ = false;

    // The library's thread's: the broker accepted the connection now being
    // served, and how that connection ended (atomic, as the library may log
    // from this object's thread too).
    bool reached_ = false;
    std::atomic<LinkEnd> end_ = LinkEnd::lost;

    // Shared with the library's thread.
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::deque<Message> arrived_;
    // The handle of the connection now being tried or served, none between
    // two. Its lock is never taken in the library's callbacks: this object's
    // thread holds it while it calls the library.
    std::mutex handle_mutex_;
    mosquitto* handle_ = nullptr;
    std::thread thread_;
};
