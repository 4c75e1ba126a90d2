#pragma once

#include "common/BlockVector.h"
#include "common/ImportFileReader.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QList>
#include <QStringList>

// The rows of an import preview, read from the import file as they are
// shown: per data record the model keeps only where it begins in the file
// and its line number, and reads, splits and keeps a few hundred records at
// a time, so that a preview of any length takes a small part of its file's
// size. Records are read by the one import reader (quoted fields run on
// over lines as in the import).
//
// Columns: the record's data line number (aligned left), then the fields
// whose file heading is relevant, in file order. A record with more fields
// than the file has headings shows its number only.
class ImportPreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `headings`: the file's headings from index 1 on (index 0 unused), with
    // `relevant` telling for each whether its column is shown; `columns`:
    // the headings shown, "Row" first.
    ImportPreviewModel(const QString& fileName, const QStringList& headings, const QList<bool>& relevant,
                       const QStringList& columns, QObject* parent = nullptr);

    // A data record that begins at `offset` (ImportFileReader::pos()) on
    // file line `line`; shown after the next flush().
    void addRecord(qint64 offset, qint32 line);
    void flush();
    // Flushes when the records waiting are the first or at least three times
    // as many as those shown (at most 262,144 at a time), so that a view
    // lays its rows out a few times per fill.
    bool flushSome();

    // The shown texts of one record, as the preview splits it.
    static QStringList previewRow(const QString& record, qint32 dataLine, const QStringList& headings,
                                  const QList<bool>& relevant, int columns);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const QStringList& row(int row) const;

    QStringList m_headings;   // the file's
    QList<bool> m_relevant;
    QStringList m_columns;
    BlockVector<qint64> m_offsets;
    BlockVector<qint32> m_lines;
    int m_shown = 0;
    mutable ImportFileReader m_reader;
    mutable bool m_readerOpen = false;
    mutable QCache<int, QStringList> m_cache{512};
    QStringList m_unread;   // a row the file no longer gives
};
