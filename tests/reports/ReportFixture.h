#pragma once

#include "DataFixture.h"

#include "common/Progress.h"
#include "reports/ReportRun.h"

#include <QStringList>

namespace bmtest {

// Answers "go on" a given number of times, then "stop"; counts the calls.
class CountingProgress final : public Progress {
public:
    explicit CountingProgress(int goOn = -1) : m_goOn(goOn) {}
    bool report(int) override { return m_goOn < 0 || m_calls++ < m_goOn; }
    void setMessage(const QString&) override {}

private:
    int m_goOn;
    int m_calls = 0;
};

// A database with a few categories, customers, products/services and
// issues, and reports over them.
class ReportTest : public DataTest {
protected:
    void SetUp() override;

    int category(int type, const QString& text);
    int customer(const QString& last, const QString& first, int custcat, int state = 0);
    void owns(int custId, int psCategory);
    int issue(int custId, int status, const QString& submitted, const QString& text);
    int report(const QString& type, const QString& def, const QString& title = QStringLiteral("Test"));

    // Runs the report; its grid rows as "cell|cell|..." (headings first).
    QStringList run(int reportId, Progress* progress = nullptr);
    // The row data of the last run, in grid order.
    QList<int> rowData() const;

    ReportRun m_run;
    int m_gold = 0, m_silver = 0, m_ohio = 0, m_texas = 0, m_support = 0, m_hosting = 0;
};

} // namespace bmtest
