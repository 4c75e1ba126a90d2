#pragma once

#include "import/clsImportColDef.h"
#include "import/clsImportData.h"

#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPushButton;
class QTableView;
class QTableWidget;

// The import wizard: step 0 picks what to import, step 1 the file (checked
// before the wizard moves on), step 2 previews the file and imports it.
class frmDataImport : public QWidget {
    Q_OBJECT
public:
    explicit frmDataImport(QWidget* parent = nullptr);

    // Import Now: asks first for a large file, runs the import and reports.
    void ImportData();
    // The run under the wait window; `rowCount` becomes the rows processed.
    bool ImportData_Detail(const QString& fileName, qint32& rowCount);
    // The check of the current step.
    bool Validate();
    // Shows the frame of the current step with its captions.
    void DisplayFrame();
    void InitDataImportStructures();
    // Both file checks; their faults are shown and the result is false.
    bool ValidateData();
    // The column definitions of the target of the current row of grdImport.
    void SetupColumns();

    // The Format Help text of a target row.
    QString FormatHelpText(int row) const;
    int step() const { return m_step; }

    QGroupBox* frm[3] = {};
    QLabel* Label1 = nullptr;
    QTableWidget* grdImport = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblFile = nullptr;
    QLineEdit* txtFilename = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lblCriteria = nullptr;
    QTableView* grdPreview = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* cmdPrevious = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CancelButton_Click();
    void cmdBrowse_Click();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void grdImport_Click(int row, int column);
    void fillTargets();
    QString targetCaption() const;
    void setBusy(bool busy);

    int m_step = 0;
    QString m_targetKey;
    ImportColDefs m_colDefs;
    QStringList m_headings{QString()};
    qint32 m_rowCount = 0;
    QString m_errorText;
    clsImportData m_checker;
    bool m_busy = false;
};

// Opens the import wizard as a child window of `area` (a top-level window
// without one), or brings the open one forward: there is one at most, tagged
// "IMPORTDATA". The wizard's window.
QWidget* ShowImportDataWizard(QMdiArea* area);
