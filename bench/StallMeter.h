#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <functional>

// The longest stretch that the event loop went unserved while a window
// works: a 10 ms timer notes the time between its calls. Start it before
// the work, stop it after; stop() also counts the stretch from the last
// call up to then, so that work that never serves the loop shows in full.
// Stretches over 100 ms are noted with what `where` says at their end
// (e.g. the rows added by then).
class StallMeter {
public:
    explicit StallMeter(std::function<QString()> where = {})
        : m_where(std::move(where))
    {
        m_tick.setInterval(10);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { note(); });
    }

    void start()
    {
        m_longest = 0;
        m_stretches.clear();
        m_clock.start();
        m_last = 0;
        m_tick.start();
    }
    void stop()
    {
        note();
        m_tick.stop();
    }

    // In milliseconds.
    qint64 longest() const { return m_longest; }
    // Those over 100 ms, "N ms" and where they ended.
    const QStringList& stretches() const { return m_stretches; }
    QString stretchesText() const { return m_stretches.join(QStringLiteral("; ")); }

private:
    void note()
    {
        const qint64 now = m_clock.elapsed();
        const qint64 gap = now - m_last;
        if (gap > 100)
            m_stretches.append(m_where ? QStringLiteral("%1 ms before %2").arg(gap).arg(m_where())
                                       : QStringLiteral("%1 ms").arg(gap));
        m_longest = std::max(m_longest, gap);
        m_last = now;
    }

    std::function<QString()> m_where;
    QTimer m_tick;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    QStringList m_stretches;
};
