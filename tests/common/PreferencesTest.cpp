#include "common/SettingsFile.h"
#include "common/mdlRegistry.h"

#include "LocaleScope.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    QString iniText() const
    {
        QFile f(m_ini);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    LocaleScope m_locale{LocaleScope::english()};
    bmtest::TempFolder m_temp;
    QString m_ini = m_temp.file(QStringLiteral("settings.ini"));
    SettingsFile::Override m_settings{m_ini};
};

TEST_F(PreferencesTest, GetPrefLongReadsNumbersRoundedHalfToEvenAndZeroForAnythingElse)
{
    const struct {
        const char* stored;
        qint32 expected;
    } cases[] = {
        {"", 0}, {"word", 0}, {"12abc", 0}, {"12.5", 12}, {"13.5", 14}, {"-1", -1}, {" 7 ", 7}, {"99999999999", 0},
    };
    for (const auto& c : cases) {
        SavePrefString(QStringLiteral("n"), QString::fromLatin1(c.stored));
        EXPECT_EQ(GetPrefLong(QStringLiteral("n")), c.expected) << c.stored;
    }
    EXPECT_EQ(GetPrefLong(QStringLiteral("missing")), 0);
    EXPECT_EQ(GetPrefString(QStringLiteral("missing")), QString());
}

TEST_F(PreferencesTest, ValuesAreTextUnderThePrefGroupOfTheSettingsFile)
{
    SavePrefLong(QStringLiteral("emailhandler"), -1);
    SavePrefString(QStringLiteral("db"), QStringLiteral("/home/anna/BMKData, main"));
    EXPECT_EQ(GetPrefString(QStringLiteral("emailhandler")), QStringLiteral("-1"));
    EXPECT_EQ(GetPrefLong(QStringLiteral("emailhandler")), -1);
    EXPECT_EQ(GetPrefString(QStringLiteral("db")), QStringLiteral("/home/anna/BMKData, main"));
    const QString text = iniText();
    EXPECT_TRUE(text.contains(QStringLiteral("[Pref]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("emailhandler=-1"))) << text.toStdString();
}

TEST_F(PreferencesTest, ReadingCutsAValueAtItsFirstNul)
{
    SavePrefString(QStringLiteral("LastLogin"), QStringLiteral("anna") + QChar(0) + QStringLiteral("junk"));
    QString text = QStringLiteral("caller's");
    EXPECT_TRUE(RegReadValue(RegRoot::CurrentUser, PrefKeyPath(), QStringLiteral("LastLogin"), text));
    EXPECT_EQ(text, QStringLiteral("anna"));
    EXPECT_FALSE(RegReadValue(RegRoot::CurrentUser, PrefKeyPath(), QStringLiteral("nothing"), text));
    EXPECT_EQ(text, QString());
}

TEST_F(PreferencesTest, HandEditedUnquotedCommaReadsAsWritten)
{
    QFile f(m_ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Pref]\nLastCustSearchStr=Smith,John\n");
    f.close();
    EXPECT_EQ(GetPrefString(QStringLiteral("LastCustSearchStr")), QStringLiteral("Smith,John"));
}

TEST_F(PreferencesTest, AWriteThatCannotReachTheFileReportsFalse)
{
    // A regular file where the settings file's folder should be.
    QFile blocker(m_temp.file(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsFile::Override unwritable(m_temp.file(QStringLiteral("blocker/settings.ini")));
    EXPECT_FALSE(RegWriteString(PrefKeyPath(), QStringLiteral("x"), QStringLiteral("db")));
    SavePrefString(QStringLiteral("db"), QStringLiteral("x")); // silent
    EXPECT_EQ(GetPrefString(QStringLiteral("db")), QString());
}

} // namespace
