#pragma once

#include "common/ui/AccessibleNames.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "data/CategoryTypes.h"
#include "data/clsDB.h"
#include "data/ui/FieldBox.h"
#include "data/ui/clsDBUI.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

// The controls the record windows are built from: labels, edit-mode fields,
// list and calendar buttons, and category combos.
namespace RecordControls {

// A field label; `field` (when given) is the tag that custom labels rename.
inline QLabel* fieldLabel(QWidget* parent, const char* name, const QString& caption, const QString& field = QString())
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    if (!field.isEmpty())
        setObjectTag(label, field);
    return label;
}

// A control that changes only in edit mode.
template <class W>
W* editable(W* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    setObjectTag(w, QStringLiteral("E"));
    return w;
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip = QString())
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

// The button beside a list combo that opens the list's editor.
inline QPushButton* listButton(QWidget* parent, const char* name, const QString& what)
{
    QPushButton* b = editable(button(parent, name, QStringLiteral("..."), QStringLiteral("Modify list")), name);
    b->setAccessibleName(QStringLiteral("Modify list: ") + what);
    b->setMaximumWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("...")) * 3);
    return b;
}

// Custom field n (1 or 2) of a record window over `table`: its label, which
// custom labels rename (and whose name a screen reader gives the list), an
// editable list fitted to the field and the button of the list's editor.
inline void customField(QWidget* page, Schema::Table table, int n, QLabel** label, QComboBox** field,
                        QPushButton** list)
{
    const QByteArray digit = QByteArray::number(n);
    *label = fieldLabel(page, QByteArray("lblCustom" + digit).constData(), QStringLiteral("Custom %1:").arg(n),
                        QStringLiteral("custom%1").arg(n));
    *field = editable(new QComboBox(page), QByteArray("txtCust" + digit).constData());
    (*field)->setEditable(true);
    (*label)->setBuddy(*field);
    AccessibleNames::nameTextOfCombo(*field);
    FieldBox::fit(*field, table, QByteArray("custom" + digit).constData());
    *list = listButton(page, QByteArray("cmdCust" + digit + "Cat").constData(), QStringLiteral("custom field %1").arg(n));
}

// The button beside a date box that opens the calendar.
inline QPushButton* calendarButton(QWidget* parent, const char* name, const QString& what)
{
    QPushButton* b = editable(button(parent, name, QString(), QStringLiteral("View calendar")), name);
    b->setIcon(parent->style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    b->setAccessibleName(QStringLiteral("View calendar: ") + what);
    return b;
}

// A field with its button on the right.
inline QHBoxLayout* row(QWidget* a, QWidget* b)
{
    auto* box = new QHBoxLayout;
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(a, 1);
    box->addWidget(b);
    return box;
}

// Loads a combo from one category type, with nothing selected.
inline void loadCategories(QComboBox* cbo, CatType::Kind type, bool blank)
{
    DBUI().LoadCbo(cbo, DB().CategoryTable(), QStringLiteral("rowid"), QStringLiteral("desc"),
                   QStringLiteral("type"), type, true, blank, -1);
    cbo->setCurrentIndex(-1);
}

inline void selectCategory(QComboBox* cbo, qint32 id)
{
    cbo->setCurrentIndex(-1);
    SysUI().cboSelectAtID(cbo, id);
}

} // namespace RecordControls
