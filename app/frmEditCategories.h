#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The list editor: one pick list (the rows of one category type of the
// categories table) in one column. New appends an "Untitled n" entry and
// opens it for renaming in place; a rename is written at once; Delete
// SELECTED and Delete ALL leave every entry that a record still refers to
// (the in-use pairs handed to Init). Every change is written when it is
// made; there is nothing to save. Opened modally by the list management
// commands, which read nothing back.
class frmEditCategories : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxTextLength = 40;

    explicit frmEditCategories(QWidget* parent = nullptr);

    void Init(const QString& caption, const QString& columnHeading, const QString& tableFile,
              const QString& tablePath, const QString& keyField, const QString& textField, qint32 categoryType,
              const QString& inUseTable1, const QString& inUseField1, const QString& inUseTable2,
              const QString& inUseField2, qint32 helpContext);
    // Fills the list from the table and stamps the caption with the time.
    void LoadData();
    bool IsItemSelected() const;
    // Delete SELECTED is enabled exactly when an entry is selected.
    void SetUI();
    void UpdateDesc(qint32 rowid, const QString& text);
    // Writes a new row (identifier below 1) or the text of an existing one;
    // the identifier written, -1 when nothing was.
    qint32 AddUpdateItem(qint32 rowid, const QString& text);
    // Checks, asks and deletes one entry; True when it was deleted.
    bool DeleteItem(qint32 rowid, const QString& text);

    // The end of an in-place edit of `item` with `edited`: False cancels it
    // (the item keeps its text); otherwise the text written is handed back
    // in `edited`.
    bool lv_AfterLabelEdit(QTreeWidgetItem* item, QString& edited);

    // The counter of New counts for the whole run; tests start it afresh.
    static void resetUntitledCounter() { s_untitled = 0; }

    QTreeWidget* lv = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdDeleteAll = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void build();
    void cmdNew_Click();
    void cmdDelete_Click();
    void cmdDeleteAll_Click();
    void cmdPrint_Click();
    void DeleteAllItems();
    void DeleteSingleItem(qint32 rowid);
    bool inUse(qint32 rowid);
    static qint32 rowidOf(const QTreeWidgetItem* item);

    QString m_caption;
    QString m_tableFile;
    QString m_tablePath;
    QString m_keyField;
    QString m_textField;
    qint32 m_type = 0;
    QString m_inUseTable1;
    QString m_inUseField1;
    QString m_inUseTable2;
    QString m_inUseField2;

    static int s_untitled;
};
