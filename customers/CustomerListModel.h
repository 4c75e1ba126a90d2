#pragma once

#include "common/BlockVector.h"
#include "common/TextArena.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <memory>
#include <string_view>
#include <vector>

// The rows of a customer list: the customer's row identifier and the five
// texts shown (name, company, customer number, work telephone, city). Column
// 0 answers the row's key ("N" and the identifier) under clsSystemUI::kKeyRole.
//
// Kept compact enough for a hundred thousand rows: per row its identifier
// and five offsets into large blocks of text, each text held as the engine's
// Windows-1252 bytes and decoded when shown.
//
// A fill adds rows with add() and makes them visible with flush(), so that
// the view hears of them in batches rather than row by row.
class CustomerListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 5;

    struct Row {
        qint32 id = 0;
        QString name;
        QString company;
        QString custno;
        QString workphone;
        QString city;
    };

    explicit CustomerListModel(QObject* parent = nullptr);
    ~CustomerListModel() override;

    void setHeadings(const QStringList& headings);
    void setIcon(const QIcon& icon) { m_icon = icon; }

    // Removes every row, the ones not yet flushed too.
    void clear();
    // A row, its texts kept as Windows-1252 holds them.
    void add(const Row& row);
    void flush();

    qint32 rowId(int row) const { return m_ids[stored(row)]; }
    QString text(int row, int column) const;
    // Memory the rows and their texts take.
    qint64 bytesUsed() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // By the column's text, ignoring case; rows with equal texts keep their
    // order. The selection follows its rows.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    using RowOrder = std::vector<quint32, MappedAllocator<quint32>>;

    // The stored row shown as `row`: rows are kept in the order added, the
    // view's order lies over them; rows added since the last sort are shown
    // where they are stored.
    size_t stored(int row) const { return size_t(row) < m_order.size() ? m_order[size_t(row)] : size_t(row); }
    std::string_view bytes(size_t storedRow, int column) const
    {
        return m_texts->at(m_cells[storedRow * kColumns + size_t(column)]);
    }

    QStringList m_headings;
    QIcon m_icon;
    BlockVector<qint32> m_ids;
    BlockVector<quint32> m_cells;   // kColumns text offsets a row
    RowOrder m_order;
    std::unique_ptr<TextArena> m_texts;
    int m_shown = 0;
};
