#include "data/ui/frmDBMaint.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/AccessibleNames.h"
#include "data/DataFileReindex.h"
#include "data/clsDB.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString warningText()
{
    const QChar lf(10);
    return QStringLiteral("WARNING: ") + lf
        + QStringLiteral("1. Backup your Database Files (See File menu for instructions) before performing any "
                         "maintenance")
        + lf + QStringLiteral("2. Make sure no one is using the application before performing any maintenance") + lf
        + lf + QStringLiteral("Select a data file and press [Re-Index]");
}

QString confirmText(const QString& path)
{
    const QString twoLf = QStringLiteral("\n\n");
    return QStringLiteral("You are about to Re-Index the following file:") + twoLf + path + twoLf
        + QStringLiteral("This operation may take several minutes and requires exclusive access to data files. Do "
                         "you want to continue?");
}

} // namespace

frmDBMaint::frmDBMaint(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDBMaint"));
    setWindowTitle(QStringLiteral("Database Maintenance - Reindex Data Files"));
    const QFont verdana(QStringLiteral("Verdana"));
    lblWarn = new QLabel(warningText(), this);
    lblWarn->setObjectName(QStringLiteral("lblWarn"));
    lblWarn->setFont(verdana);
    lstDataFiles = new QListWidget(this);
    lstDataFiles->setObjectName(QStringLiteral("lstDataFiles"));
    lstDataFiles->setFont(verdana);
    AccessibleNames::nameByLabel(lstDataFiles, lblWarn);
    lblProgress = new QLabel(this);
    lblProgress->setObjectName(QStringLiteral("lblProgress"));
    lblProgress->setFont(verdana);
    IndexButton = new QPushButton(QStringLiteral("Re-&Index"), this);
    IndexButton->setObjectName(QStringLiteral("IndexButton"));
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    connect(IndexButton, &QPushButton::clicked, this, &frmDBMaint::IndexButton_Click);
    connect(CloseButton, &QPushButton::clicked, this, &frmDBMaint::CloseButton_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblProgress, 1);
    buttons->addWidget(IndexButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWarn);
    layout->addWidget(lstDataFiles, 1);
    layout->addLayout(buttons);
    setTabOrder(lstDataFiles, IndexButton);
    setTabOrder(IndexButton, CloseButton);
    resize(560, 400);

    reindexFiles = [](const QString& dataPath, const clsDBFile& files) {
        return ReindexTableFiles(DB().CBEngine(), dataPath, files, SystemTickCount());
    };
}

void frmDBMaint::Filenames(const QList<clsDBFile>& files)
{
    lstDataFiles->clear();
    for (const clsDBFile& file : files)
        lstDataFiles->addItem(file.Table);
    m_files = files;
}

void frmDBMaint::CloseButton_Click() { hide(); }

void frmDBMaint::IndexButton_Click()
{
    if (lstDataFiles->currentRow() < 0 || !lstDataFiles->currentItem()->isSelected()) {
        MsgBox(QStringLiteral("Select a data file to re-index!"), MsgStyle::Exclamation | MsgStyle::OkCancel,
               QStringLiteral("No data file selected"));
        return;
    }
    ReindexSelectedFile();
}

void frmDBMaint::ReindexSelectedFile()
{
    const QString path = lstDataFiles->currentItem()->text();
    const MsgAnswer answer = MsgBox(confirmText(path),
                                    MsgStyle::Question | MsgStyle::YesNoCancel | MsgStyle::DefaultButton2,
                                    QStringLiteral("Re-Index Data File"));
    if (answer != MsgAnswer::Yes)
        return;
    setBusy(true, path);
    const bool done = ReindexDataFile(path);
    setBusy(false, path);
    if (done)
        MsgBox(path + QStringLiteral(" has been re-indexed."), MsgStyle::Information, QStringLiteral("File Indexed"));
    else
        MsgBox(QStringLiteral("Unable to index file: ") + path, MsgStyle::Exclamation,
               QStringLiteral("File Indexing Failed"));
}

bool frmDBMaint::ReindexDataFile(const QString& path)
{
    const int row = lstDataFiles->currentRow();
    if (row < 0 || row >= m_files.size())
        return false;
    return reindexFiles(path, m_files.at(row));
}

void frmDBMaint::setBusy(bool busy, const QString& path)
{
    IndexButton->setEnabled(!busy);
    CloseButton->setEnabled(!busy);
    if (busy) {
        lblProgress->setText(QStringLiteral("Indexing ") + path + QStringLiteral(" ... Please wait..."));
        setCursor(Qt::WaitCursor);
        repaint();
    } else {
        lblProgress->clear();
        unsetCursor();
    }
}
