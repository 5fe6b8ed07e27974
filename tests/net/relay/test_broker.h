#pragma once

#include <mosquitto.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
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

// Lets the broker, which may run as a user of its own, read the test's files.
inline void let_broker_read(const QString& path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                    | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

// The tests' own certificate authority, made once with openssl and trusted,
// through SSL_CERT_FILE, by this process and the programs it starts.
class TestAuthority {
public:
    static const TestAuthority& trusted()
    {
        static const TestAuthority authority;
        return authority;
    }

    // A key and a certificate for `subject` (such as IP:127.0.0.1 or
    // DNS:relay.example.org) signed by the authority, into `folder`.
    bool sign(const QString& subject, const QDir& folder) const
    {
        const bool made = openssl({"-CA", dir_.filePath("ca.pem"), "-CAkey", dir_.filePath("ca-key.pem"), "-subj",
                                   "/CN=" + subject.section(':', 1), "-addext", "subjectAltName=" + subject, "-addext",
                                   "basicConstraints=CA:FALSE", "-keyout", folder.filePath("key.pem"), "-out",
                                   folder.filePath("cert.pem")});
        for (const char* file : {"key.pem", "cert.pem"}) let_broker_read(folder.filePath(file));
        return made;
    }

private:
    TestAuthority()
    {
        openssl({"-subj", "/CN=Test authority", "-keyout", dir_.filePath("ca-key.pem"), "-out", dir_.filePath("ca.pem")});
        qputenv("SSL_CERT_FILE", dir_.filePath("ca.pem").toUtf8());
    }
    static bool openssl(const QStringList& arguments)
    {
        return QProcess::execute("openssl", QStringList{"req", "-x509", "-newkey", "ec", "-pkeyopt",
                                                        "ec_paramgen_curve:prime256v1", "-nodes", "-days", "1"}
                                                + arguments)
               == 0;
    }

    QTemporaryDir dir_;
};

// A broker of the test's own on free ports of the loopback address, started
// from a configuration it writes and stopped by its process id. It always
// listens in plain text; with `tls_subject`, also over TLS, with a
// certificate for that subject from the tests' own authority.
class TestBroker {
public:
    explicit TestBroker(const QString& tls_subject = {})
        : port_(free_port()), tls_port_(tls_subject.isEmpty() ? 0 : free_port())
    {
        let_broker_read(dir_.path());
        QFile config(dir_.filePath(QStringLiteral("broker.conf")));
        config.open(QIODevice::WriteOnly);
        config.write("allow_anonymous true\n");
        if (tls_port_ != 0 && TestAuthority::trusted().sign(tls_subject, QDir(dir_.path())))
            config.write(QStringLiteral("listener %1 127.0.0.1\ncertfile %2\nkeyfile %3\n")
                             .arg(tls_port_)
                             .arg(dir_.filePath("cert.pem"), dir_.filePath("key.pem"))
                             .toUtf8());
        config.write(QStringLiteral("listener %1 127.0.0.1\n").arg(port_).toUtf8());
        config.close();
        start();
    }
    ~TestBroker() { stop(SIGTERM); }

    RelayAddress plain_address() const { return {QStringLiteral("127.0.0.1"), port_, false}; }
    RelayAddress tls_address() const { return {QStringLiteral("127.0.0.1"), tls_port_, true}; }
    quint16 port() const { return port_; }

    // Returns once the broker takes connections.
    bool start()
    {
        process_.start(QStringLiteral(MOSQUITTO_BROKER), {QStringLiteral("-c"), dir_.filePath(QStringLiteral("broker.conf"))});
        // Its plain listener, opened last, tells when all take connections.
        return process_.waitForStarted() && wait_until([this] {
                   QTcpSocket probe;
                   probe.connectToHost(QHostAddress::LocalHost, port_);
                   return probe.waitForConnected(100);
               });
    }

    // The broker stops answering while its connections stay, as on a network cut.
    void freeze() { ::kill(static_cast<pid_t>(process_.processId()), SIGSTOP); }
    void thaw() { ::kill(static_cast<pid_t>(process_.processId()), SIGCONT); }

    void stop(int signal)
    {
        if (process_.state() == QProcess::NotRunning) return;
        ::kill(static_cast<pid_t>(process_.processId()), signal);
        process_.waitForFinished();
    }

private:
    QTemporaryDir dir_;
    quint16 port_, tls_port_;
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
