#pragma once

#include <QGroupBox>

class QLineEdit;

// The last-edit control (LE, on a record window's "Last Edi&t" tab): who
// saved the record last, on which date (long form) and at what time
// ("h:mm:ss AM"). It shows what it was last given and never refreshes by
// itself; windows call Init after every load and save.
class StatisticCtl : public QGroupBox {
    Q_OBJECT
public:
    explicit StatisticCtl(QWidget* parent = nullptr);

    // The three boxes become "".
    void Clear();
    void SetValue(const QString& By, const QString& On, const QString& At);
    // Reads the stamp of row `RowID` of the table file at `TablePath`
    // (`TableName` is its file name, "bcccust.dbf") and shows it. A date or
    // time that does not read as one leaves its box empty. When the row
    // can't be read the boxes keep what they showed (the database object
    // reports a missing stored row); a new record (below 1) is not read.
    void Init(const QString& TablePath, const QString& TableName, qint32 RowID);

    // What the boxes show.
    QString ModifiedBy() const;
    QString ModifiedOn() const;
    QString ModifiedAt() const;

    QLineEdit* txtModifiedBy = nullptr;
    QLineEdit* txtModifiedOn = nullptr;
    QLineEdit* txtModifiedAt = nullptr;
};
