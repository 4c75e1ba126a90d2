#pragma once

#include <QAbstractTableModel>

class ReportGrid;

// The report grid as a table model for a view: the columns' headings as
// horizontal headings, the cell texts, the row number column right aligned
// on the heading colour. kDataRole gives a row's record identifier (any
// column) and, as heading data, a column's catalogue identifier (-1000 for
// row numbers).
class ReportGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kDataRole = Qt::UserRole + 1;

    explicit ReportGridModel(const ReportGrid& grid, QObject* parent = nullptr);

    // The grid changed as a whole (a new run or a sort).
    void reload();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const ReportGrid& m_grid;
};
