#pragma once

#include <sys/resource.h>

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

// What this process has used so far, for the figures of network play.

inline double processor_seconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Bytes read and written through system calls.
inline long long bytes_moved()
{
    QFile io(QStringLiteral("/proc/self/io"));
    io.open(QIODevice::ReadOnly);
    long long total = 0;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:") || line.startsWith("wchar:")) total += line.mid(6).trimmed().toLongLong();
    return total;
}

// The event loop left to itself for `seconds`: the share of one core it used.
inline double idle_share_of_core(QCoreApplication& application, int seconds)
{
    const double started = processor_seconds();
    QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
    application.exec();
    return (processor_seconds() - started) / seconds * 100.0;
}
