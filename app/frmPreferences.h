#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

// Customizations: the display names of the fields of one window at a time
// (a grid of built-in and custom names, each row keyed by the field's label
// parameter) and the way customer names are shown. Apply and OK write every
// row of the shown window and the customer name choice to the open
// database's parameters; Cancel writes nothing. Choosing another window
// after an edit asks whether to save the shown window's names first.
class frmPreferences : public QDialog {
    Q_OBJECT
public:
    static constexpr int kKeyRole = Qt::UserRole;

    explicit frmPreferences(QWidget* parent = nullptr);

    void InitControls();
    void SaveData();
    void LoadData();
    // Appends a field row: `row` counts the rows added (the heading is the
    // table's header, so field row n is grid row n - 1).
    void AddF2G(qint32& row, qint32& column, const QString& builtInName, const QString& tableFile,
                const QString& fieldName);
    // The window code of the chosen entry (1 customers, 2 products/services,
    // 3 issues); -1 when none is chosen.
    qint32 GetCurrentWindow() const;

    QTabWidget* tabs = nullptr;
    QComboBox* cboWindow = nullptr;
    QTableWidget* grdCustom = nullptr;
    QLabel* Label2 = nullptr;
    QRadioButton* optCustName[2] = {nullptr, nullptr};
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdReset = nullptr;

private:
    QWidget* buildLabelsTab();
    QWidget* buildDisplayTab();
    void cboWindow_Click();
    void cmdReset_Click();

    bool m_loading = false;
    bool m_changed = false;
};
