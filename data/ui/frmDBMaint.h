#pragma once

#include "data/clsDBFile.h"

#include <QDialog>
#include <QList>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

// The maintenance window: lists the data files of the open database and
// rebuilds the index of the one chosen. Shown modally by clsDBUtil, which
// keeps it loaded between showings and hands it the list afresh each time.
class frmDBMaint : public QDialog {
    Q_OBJECT
public:
    explicit frmDBMaint(QWidget* parent = nullptr);

    // Fills lstDataFiles with each record's Table path, in list order, and
    // keeps the list.
    void Filenames(const QList<clsDBFile>& files);

    // The file work of a re-index (ReindexTableFiles over the database's
    // engine with the current tick count); tests may wrap it.
    std::function<bool(const QString& dataPath, const clsDBFile& files)> reindexFiles;

    QListWidget* lstDataFiles = nullptr;
    QPushButton* IndexButton = nullptr;
    QPushButton* CloseButton = nullptr;
    QLabel* lblProgress = nullptr;
    QLabel* lblWarn = nullptr;

private:
    void CloseButton_Click();
    void IndexButton_Click();
    void ReindexSelectedFile();
    bool ReindexDataFile(const QString& path);
    void setBusy(bool busy, const QString& path);

    QList<clsDBFile> m_files;
};
