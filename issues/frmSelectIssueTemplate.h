#pragma once

#include "app/WindowInterfaces.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Asks which template a new issue starts from: "Blank Issue" (none) first,
// then the stored templates. OK takes the selected row and hides the
// dialog; its driver reads the choice and lets it go.
class frmSelectIssueTemplate : public QDialog, public SelectIssueTemplateDialog {
    Q_OBJECT
public:
    explicit frmSelectIssueTemplate(QWidget* parent = nullptr);

    bool OKPressed() const override { return m_okPressed; }
    qint32 TemplateID() const override { return m_templateId; }

    void Init();
    void LoadData();
    bool IsItemSelected() const;
    // OK is enabled only while a row is selected.
    void SetUI();

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdRefresh_Click();

    QTreeWidget* lv = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdRefresh = nullptr;

private:
    qint32 m_templateId = -1;
    bool m_okPressed = false;
};
