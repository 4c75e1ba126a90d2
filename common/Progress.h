#pragma once

#include <QElapsedTimer>
#include <QString>

// What long work (imports, re-indexing, purges, report runs) reports to.
// The wait dialog implements it; work without a window passes NoProgress.
class Progress {
public:
    virtual ~Progress() = default;

    // Reports `percent` done (values outside 0 to 100 leave the display as
    // it was), lets the user act, and answers whether the work may go on:
    // false once the user has asked to stop.
    virtual bool report(int percent) = 0;

    // Replaces the text shown about the work.
    virtual void setMessage(const QString& message) = 0;
};

// Long work reports to its progress on time rather than at every row: a
// report is due once `ms` have passed since the last one (or since the pace
// was made or restarted), or at once when the caller says so.
class ProgressPace {
public:
    explicit ProgressPace(qint64 ms) : m_ms(ms) { m_since.start(); }

    // True, and the interval starts again, when a report is due or `now`.
    bool due(bool now = false)
    {
        if (!now && m_since.elapsed() < m_ms)
            return false;
        m_since.restart();
        return true;
    }
    void restart() { m_since.restart(); }

private:
    qint64 m_ms;
    QElapsedTimer m_since;
};

// Never shows anything and always lets the work go on.
class NoProgress final : public Progress {
public:
    bool report(int) override { return true; }
    void setMessage(const QString&) override {}
};
