#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/KeyCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <random>

using namespace xbase;

namespace {

const QString kIndexDump = QStringLiteral("/usr/bin/index_dump");

// What the independent reader lists for one tag: "key recno" per line.
std::vector<std::pair<std::string, uint32_t>> dump(const std::string& cdx, const char* type, const char* tag)
{
    QProcess p;
    p.start(kIndexDump, {QStringLiteral("-type=%1").arg(QLatin1String(type)), QString::fromStdString(cdx), QLatin1String(tag)});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    std::vector<std::pair<std::string, uint32_t>> out;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        // An empty key leaves the line as " recno".
        const qsizetype space = line.lastIndexOf(' ');
        if (space >= 0)
            out.emplace_back(line.left(space).toStdString(), line.mid(space + 1).toUInt());
    }
    return out;
}

// Our own walk of a tag: record numbers and key bytes in order.
std::vector<std::pair<std::string, uint32_t>> ourWalk(Table* t, const char* tagName)
{
    IndexTag* tag = Index::of(*t)->find(tagName);
    std::vector<std::pair<std::string, uint32_t>> out;
    EXPECT_EQ(d4tagSelect(t, tag), C4_SUCCESS);
    std::string key;
    for (int rc = d4top(t); rc == C4_SUCCESS; rc = d4skip(t, 1)) {
        EXPECT_TRUE(tag->makeKey(t->record(), &key));
        out.emplace_back(key, uint32_t(d4recNo(t)));
    }
    return out;
}

class IndexDump : public XbaseFixture {};

// The independent reader's list of a tag against our walk: the same records
// in the same order, and the same keys.
void expectSameList(Table* t, const std::string& cdx, IndexTag* tag)
{
    const bool text = tag->keyType() == key::KeyType::Character || tag->keyType() == key::KeyType::Logical;
    const auto ours = ourWalk(t, tag->name().c_str());
    const auto listed = dump(cdx, text ? "char" : "num", tag->name().c_str());
    ASSERT_EQ(listed.size(), ours.size()) << cdx << " " << tag->name();
    for (size_t i = 0; i < ours.size(); ++i) {
        ASSERT_EQ(listed[i].second, ours[i].second) << cdx << " " << tag->name() << " entry " << i;
        const std::string& k = ours[i].first;
        if (text)
            ASSERT_EQ(listed[i].first, k.substr(0, k.find_last_not_of(' ') + 1)) << cdx << " " << tag->name() << " entry " << i;
        else
            ASSERT_NEAR(std::stod(listed[i].first), key::decodeDouble(reinterpret_cast<const uint8_t*>(k.data())), 1e-6);
    }
}

// A key that goes on where the key before it was padded ("PHONE CALL"
// after "PHONE") stores the bytes that the other's padding covered.
TEST_F(IndexDump, KeysThatContinueWherePaddingBeganReadAlikeEverywhere)
{
    if (!QFileInfo(kIndexDump).isExecutable())
        GTEST_SKIP() << "index_dump (libdbd-xbase-perl) is not installed";
    m_engine.settings().exclusive = true;
    Table* t = create("p.dbf", {"NAME:C:20"});
    ASSERT_NE(t, nullptr);
    XB_ASSERT_OK(Index::create(*t, {{"NAME", "name", ""}}));
    for (const char* name : {"PHONE", "PHONE CALL", "PHONE  TWO BLANKS", "PHONES", "PHONE", "PHONE C", "A", "A B", ""})
        appendTexts(t, {{"NAME", name}});
    XB_ASSERT_OK(t->flush());
    expectSameList(t, path("p.cdx"), Index::of(*t)->find("NAME"));
    close(t);
}

TEST_F(IndexDump, EveryTagOfASeededDatabaseListsAsWeWalkIt)
{
    if (!QFileInfo(kIndexDump).isExecutable())
        GTEST_SKIP() << "index_dump (libdbd-xbase-perl) is not installed";
    const QString folder = QString::fromStdString(path("db"));
    ASSERT_EQ(bmtest::runBmtool({QStringLiteral("mkdb"), folder}).exitCode, 0);
    const bmtest::ToolRun seeded = bmtest::runBmtool({QStringLiteral("seed"), folder, QStringLiteral("--customers"),
                                                      QStringLiteral("150"), QStringLiteral("--issues"), QStringLiteral("300")});
    ASSERT_EQ(seeded.exitCode, 0) << seeded.all().toStdString();
    m_engine.settings().readOnly = true;
    const QStringList tables = QDir(folder).entryList({QStringLiteral("*.dbf")});
    ASSERT_EQ(tables.size(), 10);
    for (const QString& name : tables) {
        Table* t = open("db/" + name.toStdString());
        ASSERT_NE(t, nullptr);
        Index* index = Index::of(*t);
        ASSERT_NE(index, nullptr) << name.toStdString();
        for (size_t i = 0; i < index->tagCount(); ++i)
            expectSameList(t, index->path(), index->tag(i));
        close(t);
    }
}

TEST_F(IndexDump, TheIndependentReaderListsOurKeysInTheOrderOfOurWalk)
{
    if (!QFileInfo(kIndexDump).isExecutable())
        GTEST_SKIP() << "index_dump (libdbd-xbase-perl) is not installed";
    m_engine.settings().exclusive = true;
    Table* t = create("i.dbf", {"NAME:C:20", "AMOUNT:N:10:2"});
    ASSERT_NE(t, nullptr);
    XB_ASSERT_OK(Index::create(*t, {{"NAME", "UPPER(name)", ""}, {"AMOUNT", "amount", ""}}));
    std::mt19937 rng(3);
    // Enough rows for trees of several levels, built by upkeep, not in bulk.
    for (int i = 0; i < 3000; ++i) {
        const std::string name = "Name" + std::to_string(rng() % 5000) + char('a' + i % 26);
        const std::string amount = std::to_string(int(rng() % 200000) - 100000) + "." + std::to_string(rng() % 100);
        appendTexts(t, {{"NAME", name}, {"AMOUNT", amount}});
    }
    XB_ASSERT_OK(t->flush());

    const auto names = ourWalk(t, "NAME");
    const auto listedNames = dump(path("i.cdx"), "char", "NAME");
    ASSERT_EQ(listedNames.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& k = names[i].first;
        ASSERT_EQ(listedNames[i].first, k.substr(0, k.find_last_not_of(' ') + 1)) << i;
        ASSERT_EQ(listedNames[i].second, names[i].second) << i;
    }

    const auto amounts = ourWalk(t, "AMOUNT");
    const auto listedAmounts = dump(path("i.cdx"), "num", "AMOUNT");
    ASSERT_EQ(listedAmounts.size(), amounts.size());
    for (size_t i = 0; i < amounts.size(); ++i) {
        const double ours = key::decodeDouble(reinterpret_cast<const uint8_t*>(amounts[i].first.data()));
        ASSERT_NEAR(std::stod(listedAmounts[i].first), ours, 1e-6) << i;
        ASSERT_EQ(listedAmounts[i].second, amounts[i].second) << i;
    }
    close(t);
}

} // namespace
