#pragma once

#include "common/BlockVector.h"
#include "common/TextArena.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <string_view>
#include <vector>

// The rows of an issue list (My Issues, a search result, the purge preview)
// kept compact enough for a million rows: per row the issue's row
// identifier, one index per shared text (category descriptions, customer
// names, dates: texts that many rows repeat, each held once in the model's
// text pool) and at most one text of its own (the short description, held
// in large blocks as the engine's Windows-1252 bytes). Column 0 answers the
// row's key ("N" and the identifier) under kKeyRole, the role that the
// shared list helpers read.
//
// A fill adds rows with addRow() and makes them visible with flush(), so
// that the view hears of them in batches rather than row by row.
class IssueListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Stored rows in the order shown.
    using RowOrder = std::vector<quint32, MappedAllocator<quint32>>;

    static constexpr int kKeyRole = Qt::UserRole + 1;

    // Where a column's text comes from.
    enum class Source {
        Shared,  // a text of the pool
        Own,     // the row's own text (one such column at most)
        RowId,   // the row identifier in decimal
        Fixed,   // one text for every row (setFixedText())
    };

    explicit IssueListModel(const QList<Source>& columns, QObject* parent = nullptr);
    ~IssueListModel() override;

    void setHeadings(const QStringList& headings);
    void setIcon(const QIcon& icon) { m_icon = icon; }
    void setFixedText(int column, const QString& text);

    // Removes every row and empties the text pool.
    void clear();
    // The pool index of the text, added when new. Indexes stay valid until
    // clear().
    quint32 share(const QString& text);
    // A new pool entry, empty until setText() gives it its text; share()
    // never hands it out. For a text that rows name before it is known (a
    // fill looks such texts up all at once at its end).
    quint32 reserveText();
    void setText(quint32 index, const QString& text);
    // Tells the views that texts given by setText() may show in every row,
    // showing the rows added since the last flush() first.
    void textsChanged();
    // A row: the pool indexes of the Shared columns in column order, and
    // the text of the Own column (ignored when there is none), kept as
    // Windows-1252 holds it.
    void addRow(qint32 id, std::initializer_list<quint32> shared, QStringView own = {});
    // The same with the own text as the engine's Windows-1252 bytes, kept as
    // they are.
    void addRowBytes(qint32 id, std::initializer_list<quint32> shared, std::string_view own);
    void flush();
    // During a fill: flushes once the rows waiting are three times as many
    // as those shown (the first 100 at once, at most 262,144 at a time), so
    // that a view lays its rows out a few times per fill rather than at
    // every batch. True when it flushed.
    bool flushSome();

    qint32 rowId(int row) const { return m_ids[stored(row)]; }
    QString text(int row, int column) const;
    // Rows added, flushed or not.
    int rowsAdded() const { return int(m_ids.size()); }
    // Memory the rows and their texts take (the pool's index included).
    qint64 bytesUsed() const;

    // A view lays every row out again at each batch of rows: the index of a
    // row and its flags are answered without asking back.
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // By the column's text, ignoring case; rows with equal texts keep their
    // order. The selection follows its rows.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // Works out the order of a sort by a RowId column ahead, over every row
    // added, for the sort() that follows before another row is added: a
    // fill can then serve the event loop between the two.
    void prepareSort(int column, Qt::SortOrder order = Qt::AscendingOrder);

private:
    void addCells(qint32 id, std::initializer_list<quint32> shared, quint32 ownOffset);
    std::string_view ownBytes(size_t row) const;
    // The cell of (row, column): a pool index, or for the Own column the
    // offset of its text.
    quint32 cell(size_t row, int slot) const { return m_cells[row * size_t(m_stride) + size_t(slot)]; }
    // The stored row shown as `row`: rows are kept in the order added, the
    // view's order lies over them.
    size_t stored(int row) const { return size_t(row) < m_order.size() ? m_order[size_t(row)] : size_t(row); }
    // The stored rows sorted by the column (not by a RowId column whose
    // numbers sort faster on their own), rows with equal texts in the
    // order shown.
    RowOrder sortedBy(int column, bool ascending) const;
    // Every shown row's stored row, in the order shown.
    RowOrder shownOrder() const;
    void reorder(RowOrder order);

    QList<Source> m_columns;
    QList<int> m_slot;      // per column: its first cell
    int m_stride = 0;       // cells per row
    int m_ownSlot = -1;     // cell of the own text's offset
    QStringList m_headings;
    QHash<int, QString> m_fixed;   // per Fixed column: its text
    QIcon m_icon;

    BlockVector<qint32> m_ids;
    BlockVector<quint32> m_cells;
    // Per shown row: its stored row, as the last sort left them; rows added
    // since are shown where they are stored.
    RowOrder m_order;
    struct PreparedSort {
        int column = -1;
        Qt::SortOrder order = Qt::AscendingOrder;
        RowOrder rows;
    } m_prepared;
    std::unique_ptr<TextArena> m_arena;
    std::vector<QString> m_pool;
    QHash<QString, quint32> m_poolIndex;
    int m_shown = 0;
};
