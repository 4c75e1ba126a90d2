#pragma once

#include <QList>
#include <QString>

// One entry of a pick list or list view as the database object reads it:
// the row identifier and the trimmed text shown. Widget fills (data/ui's
// clsDBUI) put the identifier into the item data or the key "N<id>".
struct DbListRow {
    qint32 id = 0;
    QString text;

    bool operator==(const DbListRow&) const = default;
};

using DbListRows = QList<DbListRow>;
