#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

// The display names of the customer, product/service and issue fields: the
// label parameter of the open database ("bcccust.dbf_custom1", sought in any
// letter case) when it holds a text, else the field's built-in name. Nothing
// is cached: every call reads the parameter afresh. Table files and field
// names are compared exactly, in lower case; a field not listed has the
// empty name.
class clsCustomLabels {
public:
    static clsCustomLabels& instance();

    // Gives every label of `form` whose tag is a field of `tableFile` the
    // field's current name with a colon, shown as typed (showAsTyped); other
    // labels and controls keep their texts.
    void SetLabels(QWidget* form, const QString& tableFile) const;

    // Makes `label` show `name` as typed. A label with a buddy reads "&" as
    // the mark of its Alt key, so there each "&" is doubled.
    static void showAsTyped(QLabel* label, const QString& name);
    // The text that `label` shows: with a buddy, its text less the marks of
    // an Alt key ("&&" shows as "&").
    static QString shownText(const QLabel* label);

    QString GetCustomerLabelName(const QString& fieldName, bool addColon) const;
    QString GetPSLabelName(const QString& fieldName, bool addColon) const;
    QString GetIssueLabelName(const QString& fieldName, bool addColon) const;
    // The stored name, or the built-in one when none is stored; with
    // `addColon`, a colon added unless the name is empty or ends in one.
    QString GetCurrentLabelName(const QString& tableFile, const QString& fieldName, bool addColon) const;

    // The fields of the table file that have display names, in their order
    // (none for a table not listed).
    QStringList FieldNames(const QString& tableFile) const;

    // Built-in names ("" for a table or field not listed).
    QString GetDefaultLabelName(const QString& tableFile, const QString& fieldName) const;
    QString GetCustomerDefaultLabelName(const QString& fieldName, bool addColon) const;
    QString GetPSDefaultLabelName(const QString& fieldName) const;
    QString GetIssueDefaultLabelName(const QString& fieldName) const;

private:
    clsCustomLabels() = default;
};

inline clsCustomLabels& CustomLabels() { return clsCustomLabels::instance(); }
