#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

// Real writers: bmtool seed processes filling one database folder at once,
// checked while they write and killed in the middle of their saves.

namespace {

std::unique_ptr<QProcess> startSeed(const QString& folder, int seed, int customers, int issues)
{
    auto p = std::make_unique<QProcess>();
    p->setProgram(QDir(bmtest::programDir()).filePath(QStringLiteral("bmtool")));
    p->setArguments({QStringLiteral("seed"), folder, QStringLiteral("--customers"), QString::number(customers),
                     QStringLiteral("--issues"), QString::number(issues), QStringLiteral("--seed"), QString::number(seed)});
    p->start();
    EXPECT_TRUE(p->waitForStarted());
    return p;
}

bmtest::ToolRun check(const QString& table) { return bmtest::runBmtool({QStringLiteral("check"), table}); }

class Writers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(bmtest::runBmtool({QStringLiteral("mkdb"), m_folder}).exitCode, 0); }

    // bmtool check on every table of the folder: each must pass.
    void expectEveryTableClean()
    {
        const QStringList tables = QDir(m_folder).entryList({QStringLiteral("*.dbf")});
        ASSERT_EQ(tables.size(), 10);
        for (const QString& name : tables) {
            const bmtest::ToolRun r = check(QDir(m_folder).filePath(name));
            EXPECT_EQ(r.exitCode, 0) << name.toStdString() << ": " << r.all().toStdString();
        }
    }

    bmtest::TempFolder m_dir;
    QString m_folder = m_dir.file(QStringLiteral("db"));
};

TEST_F(Writers, CheckBesideEightWritersReportsNothing)
{
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int i = 1; i <= 8; ++i)
        writers.push_back(startSeed(m_folder, i, 300, 600));
    auto running = [&] {
        bool any = false;
        for (const auto& w : writers) {
            w->waitForFinished(0); // lets the process object see an end
            any = any || w->state() != QProcess::NotRunning;
        }
        return any;
    };
    int checks = 0;
    const QStringList watched = {QStringLiteral("bcccust.dbf"), QStringLiteral("bccissues.dbf"), QStringLiteral("bcciactions.dbf")};
    while (running()) {
        const QString table = QDir(m_folder).filePath(watched[checks % watched.size()]);
        const bmtest::ToolRun r = check(table);
        ASSERT_EQ(r.exitCode, 0) << "check " << checks << " of " << table.toStdString() << ": " << r.all().toStdString();
        ++checks;
    }
    for (const auto& w : writers) {
        ASSERT_EQ(w->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(w->exitCode(), 0) << w->readAllStandardError().toStdString();
    }
    EXPECT_GT(checks, 3);
    expectEveryTableClean();
    EXPECT_EQ(check(QDir(m_folder).filePath(QStringLiteral("bcccust.dbf"))).out, QStringLiteral("8 tags and the memo file agree with 2400 records\n"));
}

TEST_F(Writers, WritersKilledAtRandomMomentsLeaveEveryTableClean)
{
    std::mt19937 rng(20261210);
    int kills = 0, seed = 100;
    while (kills < 50) {
        std::vector<std::unique_ptr<QProcess>> writers;
        const int n = 1 + int(rng() % 4);
        for (int i = 0; i < n; ++i)
            writers.push_back(startSeed(m_folder, ++seed, 300, 600));
        for (auto& w : writers) {
            // The first saves of a seed come some tens of milliseconds after
            // its start.
            if (!w->waitForFinished(int(20 + rng() % 300))) {
                w->kill();
                ++kills;
            }
            w->waitForFinished(10000);
        }
    }
    expectEveryTableClean();
}

TEST_F(Writers, CheckFlagsAGarbledTagName)
{
    ASSERT_EQ(bmtest::runBmtool({QStringLiteral("seed"), m_folder, QStringLiteral("--customers"), QStringLiteral("20"),
                                 QStringLiteral("--issues"), QStringLiteral("20")})
                  .exitCode,
              0);
    const QString table = QDir(m_folder).filePath(QStringLiteral("bcccust.dbf"));
    ASSERT_EQ(check(table).exitCode, 0);
    // The directory's root leaf at 0x400 stacks the stored name bytes from
    // its end backwards: the page's last byte is the last letter of the
    // first tag name.
    QFile cdx(QDir(m_folder).filePath(QStringLiteral("bcccust.cdx")));
    ASSERT_TRUE(cdx.open(QIODevice::ReadWrite));
    ASSERT_TRUE(cdx.seek(0x5FF));
    ASSERT_EQ(cdx.write("#", 1), 1);
    cdx.close();

    const bmtest::ToolRun r = check(table);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("is not a tag name"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("is missing"))) << r.out.toStdString();
}

} // namespace
