#pragma once

#include "data/clsRepDispCol.h"

#include <QString>

// One criterion of a report definition: a filter column, an operator ("="
// is, "#" is not) and a value, the row identifier of a category as text.
class clsRepFilter {
public:
    clsRepFilter() { Reset(); }

    qint32 ColId = -1;
    QString Oper;
    QString Value;
    // The catalogue entry of ColId, read by Init and Init_ParseFilterExpr.
    clsRepDispCol Col;

    // ColId -1, Oper and Value "".
    void Reset();
    // Keeps the three as given (nothing is checked) and reads Col.
    void Init(qint32 colId, const QString& oper, const QString& value);
    // Keeps colId, takes Value and Oper from a filter display text (see
    // FilterDisplayText) and reads Col. Value is what follows the last "["
    // less one final "]" ("" when the text has no "["); Oper is "#" when the
    // text before the first apostrophe holds a "#", else "=".
    void Init_ParseFilterExpr(qint32 colId, const QString& filterText);
};

// The one-line form of a criterion in the definition window's list:
// `Status # 'Closed' [405]`.
QString FilterDisplayText(const QString& columnName, const QString& oper, const QString& valueDesc,
                          qint32 valueId);
