#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <grp.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

// One database folder, several login accounts of one group, each with the
// umask most systems give (022), as on a network share: bmtool processes
// run as those accounts make the database, save beside each other, die in
// the middle of a save and open what the dead one left.

namespace {

constexpr gid_t kShared = 47100; // the group of the database folder

struct Account {
    uid_t uid;
    bool member; // of kShared, besides a primary group of its own
};
const Account kAnna{47101, true};
const Account kBert{47102, true};
const Account kCora{47103, false}; // may read the files, as anyone may

std::unique_ptr<QProcess> startAs(const Account& who, const QStringList& args)
{
    auto p = std::make_unique<QProcess>();
    p->setProgram(QDir(bmtest::programDir()).filePath(QStringLiteral("bmtool")));
    p->setArguments(args);
    p->setChildProcessModifier([who] {
        const gid_t groups[] = {kShared};
        if (::setgroups(who.member ? 1 : 0, groups) != 0 || ::setgid(gid_t(who.uid)) != 0 || ::setuid(who.uid) != 0)
            ::_exit(126);
        ::umask(022);
    });
    p->start();
    EXPECT_TRUE(p->waitForStarted());
    return p;
}

bmtest::ToolRun runAs(const Account& who, const QStringList& args)
{
    auto p = startAs(who, args);
    bmtest::ToolRun run;
    if (p->waitForFinished(120000) && p->exitStatus() == QProcess::NormalExit)
        run.exitCode = p->exitCode();
    run.out = QString::fromLocal8Bit(p->readAllStandardOutput());
    run.err = QString::fromLocal8Bit(p->readAllStandardError());
    return run;
}

QStringList seedArgs(const QString& folder, int seed, int customers, int issues)
{
    return {QStringLiteral("seed"), folder, QStringLiteral("--customers"), QString::number(customers),
            QStringLiteral("--issues"), QString::number(issues), QStringLiteral("--seed"), QString::number(seed)};
}

// The table whose journal holds a call that nobody finished, if any.
QString tableLeftHalfSaved(const QString& folder)
{
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.jnl")}, QDir::Files)) {
        QFile journal(QDir(folder).filePath(name));
        if (journal.open(QIODevice::ReadOnly) && journal.read(7) == "XBJRNL0")
            return QDir(folder).filePath(name.chopped(4));
    }
    return QString();
}

class Accounts : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "switching to other accounts needs the superuser";
        const QByteArray base = QFile::encodeName(m_dir.path());
        const QByteArray folder = QFile::encodeName(m_folder);
        ASSERT_EQ(::chmod(base.constData(), 0755), 0);
        ASSERT_TRUE(QDir().mkdir(m_folder));
        ASSERT_EQ(::chown(folder.constData(), 0, kShared), 0);
        ASSERT_EQ(::chmod(folder.constData(), GetParam()), 0);
    }

    void expectEveryTableCleanFor(const Account& who)
    {
        const QStringList tables = QDir(m_folder).entryList({QStringLiteral("*.dbf")});
        ASSERT_EQ(tables.size(), 10);
        for (const QString& name : tables) {
            const bmtest::ToolRun r = runAs(who, {QStringLiteral("check"), QDir(m_folder).filePath(name)});
            EXPECT_EQ(r.exitCode, 0) << name.toStdString() << ": " << r.all().toStdString();
        }
    }

    bmtest::TempFolder m_dir;
    QString m_folder = m_dir.file(QStringLiteral("db"));
};

TEST_P(Accounts, WritersOfOneGroupSaveBesideEachOtherAndPlayBackWhatADeadOneLeft)
{
    ASSERT_EQ(runAs(kAnna, {QStringLiteral("mkdb"), m_folder}).exitCode, 0);

    // Bert saves while Anna has the tables open and saves too.
    auto anna = startAs(kAnna, seedArgs(m_folder, 1, 200, 400));
    const bmtest::ToolRun bert = runAs(kBert, seedArgs(m_folder, 2, 50, 100));
    EXPECT_EQ(bert.exitCode, 0) << bert.all().toStdString();
    ASSERT_TRUE(anna->waitForFinished(120000));
    EXPECT_EQ(anna->exitCode(), 0) << anna->readAllStandardError().toStdString();

    // Anna dies in the middle of a save.
    std::mt19937 rng(20261211);
    QString table;
    for (int tries = 0; tries < 60 && table.isEmpty(); ++tries) {
        auto dying = startAs(kAnna, seedArgs(m_folder, 10 + tries, 300, 600));
        if (!dying->waitForFinished(int(30 + rng() % 400))) {
            dying->kill();
            dying->waitForFinished(10000);
        }
        table = tableLeftHalfSaved(m_folder);
    }
    ASSERT_FALSE(table.isEmpty()) << "no kill landed in a save";
    struct stat journal {};
    ASSERT_EQ(::stat(QFile::encodeName(table + QStringLiteral(".jnl")).constData(), &journal), 0);
    EXPECT_EQ(journal.st_gid, kShared);
    EXPECT_TRUE(journal.st_mode & S_IWGRP);

    // Cora may read but not write: she is told, and reads nothing torn.
    for (const QStringList& args : {QStringList{QStringLiteral("dump"), table, QStringLiteral("--count")},
                                    QStringList{QStringLiteral("check"), table}}) {
        const bmtest::ToolRun cora = runAs(kCora, args);
        EXPECT_EQ(cora.exitCode, 1) << cora.all().toStdString();
        EXPECT_TRUE(cora.out.isEmpty()) << cora.out.toStdString();
        EXPECT_TRUE(cora.err.contains(table + QStringLiteral(": a save to this table was left unfinished; someone with "
                                                             "write access to it must open it (with the program, "
                                                             "bmtool check or bmtool dump) to put it right")))
            << cora.err.toStdString();
    }
    EXPECT_EQ(tableLeftHalfSaved(m_folder), table);

    // Bert's next save plays Anna's journal back first.
    const bmtest::ToolRun after = runAs(kBert, seedArgs(m_folder, 3, 20, 20));
    EXPECT_EQ(after.exitCode, 0) << after.all().toStdString();
    EXPECT_TRUE(tableLeftHalfSaved(m_folder).isEmpty());
    expectEveryTableCleanFor(kBert);
    EXPECT_EQ(runAs(kCora, {QStringLiteral("dump"), table, QStringLiteral("--count")}).exitCode, 0);

    // Everything the accounts made belongs to the folder's group, which
    // may write it.
    QDirIterator it(m_folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_gid, kShared) << path.toStdString();
        EXPECT_TRUE(st.st_mode & S_IWGRP) << path.toStdString();
        ++files;
    }
    EXPECT_GE(files, 28); // the table files, and journals that no last user removed
}

// A share whose files all belong to one group, and a folder whose new
// entries take its group (set-group-ID).
INSTANTIATE_TEST_SUITE_P(SharedFolders, Accounts, ::testing::Values(0775u, 02775u),
                         [](const ::testing::TestParamInfo<unsigned>& info) {
                             return std::string(info.param & S_ISGID ? "SetGroupIdFolder" : "GroupFolder");
                         });

} // namespace
