#pragma once

#include "app/WindowInterfaces.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The administrator's list of issue templates: New adds "Untitled n" and
// opens it for renaming in place, a rename is written at once, Edit hands a
// template to the driver to open in its record window, Print prints the
// list; the box switches the template prompt of new issues on or off, and
// is written to the database whenever the dialog goes, however it ends.
class frmEditIssueTemplates : public QDialog, public EditIssueTemplatesDialog {
    Q_OBJECT
public:
    static constexpr int kMaxNameLength = 120;

    explicit frmEditIssueTemplates(QWidget* parent = nullptr);
    ~frmEditIssueTemplates() override;

    qint32 TemplateID() const override { return m_templateId; }

    void Init();
    // Refills the list (keeping the selected row) and stamps the caption.
    void LoadData();
    bool IsItemSelected() const;
    // Edit is enabled only while a row is selected.
    void SetUI();
    void UpdateDesc(qint32 ID, const QString& Name);
    // Writes the name of template ID, or a new template for an ID below 1;
    // the identifier written (NewID), -1 when nothing was.
    qint32 AddUpdateItem(qint32 ID, const QString& Name);

    // The end of an in-place rename of `item` with `edited`: false keeps the
    // item's name; otherwise the name written is handed back in `edited`.
    bool lv_AfterLabelEdit(QTreeWidgetItem* item, QString& edited);

    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdPrint_Click();
    void cmdRefresh_Click();
    void cmdClose_Click();

    QTreeWidget* lv = nullptr;
    QCheckBox* ckEnableIssueTemplate = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    qint32 m_templateId = -1;
    int m_untitled = 0;
};
