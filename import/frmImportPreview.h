#pragma once

#include "import/clsImportColDef.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

// Shows an import file as it would be imported and asks whether to go on.
class frmImportPreview : public QDialog {
    Q_OBJECT
public:
    explicit frmImportPreview(QWidget* parent = nullptr);

    // Fills the grid from the file; false when the file could not be read.
    bool Init(const QString& fileName, const ImportColDefs& defs, const QStringList& headings, qint32 rowCount);

    // Set when the user pressed Continue.
    bool m_bContinue = false;

    QLabel* Label1 = nullptr;
    QTableView* grdPreview = nullptr;
    QPushButton* cmdContinue = nullptr;
    QPushButton* cmdCancel = nullptr;

public slots:
    // Continue: the go-on flag is set and the window closes.
    void accept() override;
};
