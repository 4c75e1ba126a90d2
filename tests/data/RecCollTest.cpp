#include "data/RecColl.h"

#include <gtest/gtest.h>

namespace {

TEST(RecCollTest, KeysMatchWithoutRegardToLetterCase)
{
    RecColl c;
    ASSERT_TRUE(c.add(QStringLiteral("Id"), 7));
    struct Case {
        const char16_t* stored;
        const char16_t* asked;
    } cases[] = {
        {u"custname", u"CUSTNAME"},
        {u"Straße", u"STRAßE"},
        {u"Äpfel", u"äPFEL"},
        {u"k-factor", u"\u212A-FACTOR"},           // the Kelvin sign folds to k
        {u"\U00010400name", u"\U00010428NAME"},     // a letter outside the basic plane
    };
    for (const Case& k : cases) {
        const QString stored = QString::fromUtf16(k.stored);
        const QString asked = QString::fromUtf16(k.asked);
        ASSERT_TRUE(c.add(stored, stored)) << stored.toStdString();
        EXPECT_TRUE(c.contains(asked)) << asked.toStdString();
        EXPECT_EQ(c.text(asked), stored) << asked.toStdString();
        EXPECT_FALSE(c.add(asked, 1)) << asked.toStdString();
    }
    EXPECT_FALSE(c.contains(QStringLiteral("custnam")));
    EXPECT_FALSE(c.value(QStringLiteral("nothing")).isValid());
    EXPECT_EQ(c.find(QStringLiteral("nothing")), nullptr);
}

TEST(RecCollTest, RemovingAKeyKeepsTheOthersAndTheirOrder)
{
    RecColl c;
    for (const char* k : {"a", "B", "c", "D", "e"})
        ASSERT_TRUE(c.add(QString::fromLatin1(k), QString::fromLatin1(k).toUpper()));
    ASSERT_TRUE(c.remove(QStringLiteral("b")));
    EXPECT_FALSE(c.remove(QStringLiteral("B")));
    EXPECT_EQ(c.keys(), QStringList({QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("D"), QStringLiteral("e")}));
    for (const char* k : {"A", "C", "d", "E"})
        EXPECT_EQ(c.text(QString::fromLatin1(k)), QString::fromLatin1(k).toUpper()) << k;
    c.set(QStringLiteral("E"), QStringLiteral("changed"));
    c.set(QStringLiteral("F"), QStringLiteral("new"));
    ASSERT_TRUE(c.remove(QStringLiteral("A")));
    EXPECT_EQ(c.keys(), QStringList({QStringLiteral("c"), QStringLiteral("D"), QStringLiteral("e"), QStringLiteral("F")}));
    EXPECT_EQ(c.text(QStringLiteral("e")), QStringLiteral("changed"));
    EXPECT_EQ(c.text(QStringLiteral("f")), QStringLiteral("new"));
    EXPECT_EQ(c.count(), 4);
}

} // namespace
