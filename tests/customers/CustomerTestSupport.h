#pragma once

#include "AppFixture.h"
#include "IdleForm.h"
#include "WhenModal.h"

#include "app/WindowCreators.h"
#include "app/clsForm.h"
#include "app/frmMain.h"
#include "common/ui/ObjectTag.h"
#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

// Stands in for the customer record window: tagged "C" and its row, and
// noting the rows it was opened on.
class StubCustomerWindow : public QWidget, public IdleForm {
public:
    explicit StubCustomerWindow(QStringList& opened)
        : m_opened(opened)
    {
    }
    void Init(qint32 rowId, bool editMode) override
    {
        setObjectTag(this, QStringLiteral("C%1").arg(rowId));
        m_opened.append(QStringLiteral("C%1 ").arg(rowId) + (editMode ? QStringLiteral("edit") : QStringLiteral("view")));
    }

private:
    QStringList& m_opened;
};

// A new database opened as the administrator, a main window, and a stub
// customer window behind ShowCustomer; the part's own windows registered.
class CustomerSearchFixture : public AppFixture {
protected:
    CustomerSearchFixture();
    ~CustomerSearchFixture() override;

    // A stored customer with the fields given, every other written field
    // blank; its row identifier (the first is 1000).
    qint32 addCustomer(const QList<std::pair<const char*, QString>>& fields);
    void deleteCustomer(qint32 id);

    QStringList boxes() const { return shownTexts(ShownPrompt::Kind::MessageBox); }
    QList<QMdiSubWindow*> subWindows() const { return m_main.mdiArea()->subWindowList(); }

    QString m_folder;
    QStringList m_opened;
    frmMain m_main;
};
