#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

// Lets the user act during long work in a window without serving the event
// loop after every row: pending events are served at most once per
// interval, which keeps the window responsive and costs the work little.
// The first ask of a new pacer serves them at once.
class YieldPacer {
public:
    static constexpr qint64 kDefaultMs = 50;

    explicit YieldPacer(qint64 msBetween = kDefaultMs) : m_msBetween(msBetween) {}

    // Serves pending events when the interval has passed since they were
    // last served (or nothing was served yet); true when it did.
    bool yieldIfDue();
    // Serves pending events now and starts the interval again.
    void yieldNow();

private:
    qint64 m_msBetween;
    QElapsedTimer m_sinceEvents;
};
