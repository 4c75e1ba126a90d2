#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <vector>

// The rows of a customer list: the customer's row identifier and the five
// texts shown (name, company, customer number, work telephone, city). Column
// 0 answers the row's key ("N" and the identifier) under clsSystemUI::kKeyRole.
//
// A fill adds rows with add() and makes them visible with flush(), so that
// the view hears of them in batches rather than row by row.
class CustomerListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        qint32 id = 0;
        QString name;
        QString company;
        QString custno;
        QString workphone;
        QString city;
    };

    explicit CustomerListModel(QObject* parent = nullptr);

    void setHeadings(const QStringList& headings);
    void setIcon(const QIcon& icon) { m_icon = icon; }

    // Removes every row, the ones not yet flushed too.
    void clear();
    void add(Row row) { m_pending.push_back(std::move(row)); }
    void flush();

    qint32 rowId(int row) const { return m_rows.at(size_t(row)).id; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // By the column's text, ignoring case; rows with equal texts keep their
    // order. The selection follows its rows.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    static constexpr int kColumns = 5;

private:
    static const QString& text(const Row& row, int column);

    QStringList m_headings;
    QIcon m_icon;
    std::vector<Row> m_rows;
    std::vector<Row> m_pending;
};
