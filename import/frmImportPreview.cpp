#include "import/frmImportPreview.h"

#include "common/ui/clsSystemUI.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

frmImportPreview::frmImportPreview(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImportPreview"));
    setWindowTitle(QStringLiteral("Preview Data"));
    Label1 = new QLabel(
        QStringLiteral("You are about to import the following data. Press Continue to proceed or press Cancel to quit..."),
        this);
    Label1->setWordWrap(true);
    grdPreview = new QTableView(this);
    grdPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdPreview->verticalHeader()->hide();
    Label1->setBuddy(grdPreview);
    cmdContinue = new QPushButton(QStringLiteral("C&ontinue"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdContinue);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(grdPreview, 1);
    layout->addLayout(buttons);
    resize(600, 400);

    connect(cmdContinue, &QPushButton::clicked, this, &frmImportPreview::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmImportPreview::accept()
{
    m_bContinue = true;
    QDialog::accept();
}

bool frmImportPreview::Init(const QString& fileName, const ImportColDefs& defs, const QStringList& headings,
                            qint32 rowCount)
{
    return SysUI().ImportLoadPreviewGrid(grdPreview, fileName, defs.names(), headings, rowCount);
}
