#pragma once

#include <arpa/inet.h>
#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include <QCoreApplication>
#include <QTimer>
#include <vector>

// What this process has used so far, for the figures of network play.

inline double processor_seconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Bytes each of this process's TCP connections to `port` has sent and
// received so far, as the kernel counts them (TCP's payload, without the
// wake-ups between threads that /proc/self/io would also count), in the
// order of their descriptors.
inline std::vector<long long> bytes_with_port(quint16 port)
{
    std::vector<long long> bytes;
    for (int fd = 0; fd < 1024; ++fd) {
        sockaddr_in peer{};
        socklen_t peer_size = sizeof peer;
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peer_size) != 0 || peer.sin_family != AF_INET
            || ntohs(peer.sin_port) != port)
            continue;
        tcp_info info{};
        socklen_t info_size = sizeof info;
        if (getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &info_size) == 0)
            bytes.push_back(static_cast<long long>(info.tcpi_bytes_acked + info.tcpi_bytes_received));
    }
    return bytes;
}

// The event loop left to itself for `seconds`: the share of one core it used.
inline double idle_share_of_core(QCoreApplication& application, int seconds)
{
    const double started = processor_seconds();
    QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
    application.exec();
    return (processor_seconds() - started) / seconds * 100.0;
}
