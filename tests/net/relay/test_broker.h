#pragma once

#include <mosquitto.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <atomic>
#include <csignal>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "net/relay/relay_address.h"

// Lets the event loop run until `done`, for at most `ms`.
inline bool wait_until(const std::function<bool()>& done, int ms = 10'000)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Lets the event loop run for `ms`.
inline void let_events_run(int ms)
{
    wait_until([] { return false; }, ms);
}

// A port of the loopback address that nothing listens on.
inline quint16 free_port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A broker of the test's own on a free port of the loopback address, started
// from a configuration it writes and stopped by its process id.
class TestBroker {
public:
    explicit TestBroker(const QStringList& more_settings = {}) : port_(free_port())
    {
        QFile config(dir_.filePath(QStringLiteral("broker.conf")));
        config.open(QIODevice::WriteOnly);
        config.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\n").arg(port_).toUtf8());
        for (const QString& setting : more_settings) config.write(setting.toUtf8() + '\n');
        config.close();
        start();
    }
    ~TestBroker() { stop(SIGTERM); }

    RelayAddress plain_address() const { return {QStringLiteral("127.0.0.1"), port_, false}; }
    quint16 port() const { return port_; }

    // Returns once the broker takes connections.
    bool start()
    {
        process_.start(QStringLiteral(MOSQUITTO_BROKER), {QStringLiteral("-c"), dir_.filePath(QStringLiteral("broker.conf"))});
        return process_.waitForStarted() && wait_until([this] {
                   QTcpSocket probe;
                   probe.connectToHost(QHostAddress::LocalHost, port_);
                   return probe.waitForConnected(100);
               });
    }

    void stop(int signal)
    {
        if (process_.state() == QProcess::NotRunning) return;
        ::kill(static_cast<pid_t>(process_.processId()), signal);
        process_.waitForFinished();
    }

private:
    QTemporaryDir dir_;
    quint16 port_;
    QProcess process_;
};

// A third client on the broker, as anyone on a public broker may be: it hears
// every message of the match's topics and publishes whatever it likes.
class Stranger {
public:
    Stranger(quint16 port, const QByteArray& listen_to)
    {
        mosquitto_lib_init();
        handle_ = mosquitto_new(nullptr, true, this);
        mosquitto_subscribe_callback_set(handle_, [](mosquitto*, void* self, int, int, const int*) {
            static_cast<Stranger*>(self)->subscribed_ = true;
        });
        mosquitto_publish_callback_set(handle_, [](mosquitto*, void* self, int id) {
            static_cast<Stranger*>(self)->acknowledged_ = id;
        });
        mosquitto_message_callback_set(handle_, [](mosquitto*, void* self, const mosquitto_message* message) {
            auto* stranger = static_cast<Stranger*>(self);
            const std::lock_guard lock(stranger->mutex_);
            stranger->heard_.push_back(
                {QByteArray(message->topic), QByteArray(static_cast<const char*>(message->payload), message->payloadlen)});
        });
        mosquitto_connect(handle_, "127.0.0.1", port, 30);
        mosquitto_subscribe(handle_, nullptr, listen_to.constData(), 0);
        mosquitto_loop_start(handle_);
        wait_until([this] { return subscribed_.load(); });
    }
    ~Stranger()
    {
        mosquitto_disconnect(handle_);
        mosquitto_loop_stop(handle_, false);
        mosquitto_destroy(handle_);
    }

    std::vector<std::pair<QByteArray, QByteArray>> heard()
    {
        const std::lock_guard lock(mutex_);
        return heard_;
    }
    void publish(const QByteArray& topic, const QByteArray& payload)
    {
        mosquitto_publish(handle_, nullptr, topic.constData(), static_cast<int>(payload.size()), payload.constData(),
                          0, false);
    }
    // Returns once everything published so far has reached the broker.
    bool flush()
    {
        int id = 0;
        mosquitto_publish(handle_, &id, "stranger/flushed", 0, nullptr, 1, false);
        return wait_until([&] { return acknowledged_ == id; }, 60'000);
    }

private:
    mosquitto* handle_;
    std::atomic<bool> subscribed_ = false;
    std::atomic<int> acknowledged_ = 0;
    std::mutex mutex_;
    std::vector<std::pair<QByteArray, QByteArray>> heard_;
};
