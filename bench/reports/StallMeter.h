#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The longest time the event loop went without serving a 10 ms timer while
// the meter ran: the longest freeze a user would have seen.
class StallMeter {
public:
    StallMeter()
    {
        m_tick.setInterval(10);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            m_longest = qMax(m_longest, m_sinceTick.elapsed());
            m_sinceTick.restart();
        });
    }
    void start()
    {
        m_longest = 0;
        m_sinceTick.start();
        m_tick.start();
    }
    // The longest gap in milliseconds, the stretch since the last tick included.
    qint64 stop()
    {
        m_longest = qMax(m_longest, m_sinceTick.elapsed());
        m_tick.stop();
        return m_longest;
    }

private:
    QTimer m_tick;
    QElapsedTimer m_sinceTick;
    qint64 m_longest = 0;
};
