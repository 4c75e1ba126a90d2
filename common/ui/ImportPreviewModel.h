#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The rows of an import preview: fixed headings, rows appended in batches.
// The first column (the line number) is aligned left.
class ImportPreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ImportPreviewModel(const QStringList& headings, QObject* parent = nullptr);

    // Appends the rows (each as wide as the headings) and empties `rows`.
    void appendRows(QList<QStringList>& rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_headings;
    QList<QStringList> m_rows;
};
