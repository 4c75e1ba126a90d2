#include "app/clsCustomLabels.h"

#include "common/ui/ObjectTag.h"
#include "data/Schema.h"
#include "data/clsDB.h"

#include <QLabel>
#include <QWidget>

#include <utility>

namespace {

using Names = std::initializer_list<std::pair<const char*, const char*>>;

const Names kCustomer{
    {"custno", "Customer Number"},    {"firstname", "First Name"},     {"lastname", "Last Name"},
    {"company", "Company"},           {"title", "Title"},              {"address1", "Address (line 1)"},
    {"address2", "Address (line 2)"}, {"city", "City"},                {"state", "State"},
    {"postalcode", "Postal Code"},    {"country", "Country"},          {"workphone", "Work Phone"},
    {"homephone", "Home Phone"},      {"mobilphone", "Mobile Phone"},  {"faxphone", "Fax Phone"},
    {"emailname", "Default Email"},   {"emailname2", "Alternate Email"}, {"custcat", "Category"},
    {"custom1", "Custom 1"},          {"custom2", "Custom 2"},
};

const Names kPS{
    {"shortdesc", "Short Description"}, {"contno", "Contract or Part Number"}, {"trackno", "Tracking Number:"},
    {"conttype", "Contract Type"},      {"contdur", "Contract Duration"},     {"dateinit", "Date Initiated"},
    {"dateterm", "Date Terminated"},    {"custom1", "Custom 1"},              {"custom2", "Custom 2"},
};

const Names kIssue{{"issuecat", "Category"}, {"custom1", "Custom 1"}, {"custom2", "Custom 2"}};

QString lookUp(const Names& names, const QString& field)
{
    for (const auto& [name, label] : names) {
        if (field == QLatin1String(name))
            return QString::fromLatin1(label);
    }
    return {};
}

const Names* namesOf(const QString& tableFile)
{
    if (tableFile == Schema::dataFileName(Schema::Table::Cust))
        return &kCustomer;
    if (tableFile == Schema::dataFileName(Schema::Table::CustPs))
        return &kPS;
    if (tableFile == Schema::dataFileName(Schema::Table::Issues))
        return &kIssue;
    return nullptr;
}

QString withColon(const QString& name, bool addColon)
{
    if (addColon && !name.isEmpty() && !name.endsWith(QLatin1Char(':')))
        return name + QLatin1Char(':');
    return name;
}

} // namespace

clsCustomLabels& clsCustomLabels::instance()
{
    static clsCustomLabels labels;
    return labels;
}

void clsCustomLabels::SetLabels(QWidget* form, const QString& tableFile) const
{
    const QList<QLabel*> labels = form->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        const QString field = objectTag(label);
        if (field.isEmpty())
            continue;
        const QString name = GetCurrentLabelName(tableFile, field, true);
        if (!name.isEmpty())
            showAsTyped(label, name);
    }
}

void clsCustomLabels::showAsTyped(QLabel* label, const QString& name)
{
    QString text = name;
    if (label->buddy())
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    label->setText(text);
}

QString clsCustomLabels::shownText(const QLabel* label)
{
    const QString text = label->text();
    if (!label->buddy())
        return text;
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text.at(i);
    }
    return shown;
}

QString clsCustomLabels::GetCustomerLabelName(const QString& fieldName, bool addColon) const
{
    return GetCurrentLabelName(Schema::dataFileName(Schema::Table::Cust), fieldName, addColon);
}

QString clsCustomLabels::GetPSLabelName(const QString& fieldName, bool addColon) const
{
    return GetCurrentLabelName(Schema::dataFileName(Schema::Table::CustPs), fieldName, addColon);
}

QString clsCustomLabels::GetIssueLabelName(const QString& fieldName, bool addColon) const
{
    return GetCurrentLabelName(Schema::dataFileName(Schema::Table::Issues), fieldName, addColon);
}

QString clsCustomLabels::GetCurrentLabelName(const QString& tableFile, const QString& fieldName,
                                             bool addColon) const
{
    QString name = DB().GetParamValue(DB().MakeCustomFieldParamName(tableFile, fieldName));
    if (name.isEmpty())
        name = GetDefaultLabelName(tableFile, fieldName);
    return withColon(name, addColon);
}

QString clsCustomLabels::GetDefaultLabelName(const QString& tableFile, const QString& fieldName) const
{
    const Names* names = namesOf(tableFile);
    return names ? lookUp(*names, fieldName) : QString();
}

QStringList clsCustomLabels::FieldNames(const QString& tableFile) const
{
    QStringList fields;
    if (const Names* names = namesOf(tableFile)) {
        for (const auto& entry : *names)
            fields.append(QString::fromLatin1(entry.first));
    }
    return fields;
}

QString clsCustomLabels::GetCustomerDefaultLabelName(const QString& fieldName, bool addColon) const
{
    return withColon(lookUp(kCustomer, fieldName), addColon);
}

QString clsCustomLabels::GetPSDefaultLabelName(const QString& fieldName) const { return lookUp(kPS, fieldName); }

QString clsCustomLabels::GetIssueDefaultLabelName(const QString& fieldName) const
{
    return lookUp(kIssue, fieldName);
}
