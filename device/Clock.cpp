#include "device/Clock.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>

static qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

SystemClock::SystemClock() : m_originNs(steadyNs()) { }

void SystemClock::sleepMs(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void SystemClock::processEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

qint64 SystemClock::nowMs() const { return (steadyNs() - m_originNs) / 1000000; }
