#include "AppFixture.h"

#include "app/clsCustomLabels.h"
#include "common/ui/ObjectTag.h"
#include "data/clsDB.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace {

class CustomLabelsTest : public AppFixture {
protected:
    CustomLabelsTest() { openNewDatabase(); }

    void store(const char* key, const char* value)
    {
        ASSERT_TRUE(DB().SetParamValue(QString::fromLatin1(key), QString::fromLatin1(value)));
    }

    const clsCustomLabels& m_labels = CustomLabels();
};

TEST_F(CustomLabelsTest, StoredNamesWinOverBuiltInOnesAndGetOneColonAtMost)
{
    store("bcccust.dbf_custom1", "Region");
    store("BCCCUST.DBF_COMPANY", "Firm:");
    store("bcccust.dbf_city", "   ");
    const struct {
        const char* table;
        const char* field;
        const char* plain;
        const char* colon;
    } cases[] = {
        {"bcccust.dbf", "custcat", "Category", "Category:"},
        {"bcccust.dbf", "custom1", "Region", "Region:"},
        {"bcccust.dbf", "company", "Firm:", "Firm:"},
        {"bcccust.dbf", "city", "City", "City:"},
        {"bcccust_ps.dbf", "trackno", "Tracking Number:", "Tracking Number:"},
        {"bccissues.dbf", "issuecat", "Category", "Category:"},
        {"bccuser.dbf", "login", "", ""},
        {"bcccust.dbf", "CUSTCAT", "", ""},
    };
    for (const auto& c : cases) {
        const QString table = QString::fromLatin1(c.table);
        const QString field = QString::fromLatin1(c.field);
        EXPECT_EQ(m_labels.GetCurrentLabelName(table, field, false), QString::fromLatin1(c.plain)) << c.field;
        EXPECT_EQ(m_labels.GetCurrentLabelName(table, field, true), QString::fromLatin1(c.colon)) << c.field;
    }
    EXPECT_EQ(m_labels.GetCustomerLabelName(QStringLiteral("custom1"), true), QStringLiteral("Region:"));
    EXPECT_EQ(m_labels.GetPSLabelName(QStringLiteral("contdur"), false), QStringLiteral("Contract Duration"));
    EXPECT_EQ(m_labels.GetIssueLabelName(QStringLiteral("custom2"), false), QStringLiteral("Custom 2"));
}

TEST_F(CustomLabelsTest, SetLabelsRenamesOnlyLabelsTaggedWithAField)
{
    store("bcccust.dbf_postalcode", "ZIP");
    QWidget form;
    const auto label = [&form](const char* tag, const char* text) {
        auto* l = new QLabel(QString::fromLatin1(text), &form);
        setObjectTag(l, QString::fromLatin1(tag));
        return l;
    };
    QLabel* postal = label("postalcode", "Postal Code:");
    QLabel* city = label("city", "City:");
    QLabel* other = label("login", "Login:");
    QLabel* plain = label("", "Notes:");
    auto* box = new QLineEdit(QStringLiteral("typed"), &form);
    setObjectTag(box, QStringLiteral("postalcode"));

    m_labels.SetLabels(&form, QStringLiteral("bcccust.dbf"));
    EXPECT_EQ(postal->text(), QStringLiteral("ZIP:"));
    EXPECT_EQ(city->text(), QStringLiteral("City:"));
    EXPECT_EQ(other->text(), QStringLiteral("Login:"));
    EXPECT_EQ(plain->text(), QStringLiteral("Notes:"));
    EXPECT_EQ(box->text(), QStringLiteral("typed"));
}

TEST_F(CustomLabelsTest, ANameWithAnAmpersandShowsAsTypedWhetherOrNotItsLabelHasABuddy)
{
    store("bcccust.dbf_custom1", "R&D Code");
    store("bcccust.dbf_custom2", "Q&&A");
    QWidget form;
    auto* box = new QLineEdit(&form);
    const struct {
        const char* field;
        bool buddy;
        QString text;  // what the label holds
        QString shown; // what it shows
    } cases[] = {
        {"custom1", true, QStringLiteral("R&&D Code:"), QStringLiteral("R&D Code:")},
        {"custom1", false, QStringLiteral("R&D Code:"), QStringLiteral("R&D Code:")},
        {"custom2", true, QStringLiteral("Q&&&&A:"), QStringLiteral("Q&&A:")},
        {"custom2", false, QStringLiteral("Q&&A:"), QStringLiteral("Q&&A:")},
    };
    QList<QLabel*> labels;
    for (const auto& c : cases) {
        auto* label = new QLabel(QStringLiteral("Custom:"), &form);
        setObjectTag(label, QString::fromLatin1(c.field));
        if (c.buddy)
            label->setBuddy(box);
        labels.append(label);
    }
    m_labels.SetLabels(&form, QStringLiteral("bcccust.dbf"));
    for (qsizetype i = 0; i < labels.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(labels.at(i)->text(), cases[i].text);
        EXPECT_EQ(clsCustomLabels::shownText(labels.at(i)), cases[i].shown);
    }
}

} // namespace
