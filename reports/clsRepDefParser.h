#pragma once

#include "data/clsRepDispCol.h"
#include "reports/clsRepFilter.h"

#include <QList>
#include <QString>

// One report definition in memory, and its stored text (memo `def` of
// bccrep): seven lines joined by LF, no CR and no LF after the last:
//   1 "1"/"0" repeated values of the first column blanked
//   2 display column identifiers
//   3 criterion column identifiers
//   4 criterion operators, "=" or "#"
//   5 criterion values (category row identifiers)
//   6 "1"/"0" row number column
//   7 "1"/"0" landscape pages
// Items of lines 2 to 5 are joined by "~"; a text that holds the character
// 254 anywhere uses that as the separator instead, and an object that read
// such a text writes it back with the same separator.
//
// Every column and criterion reads its own catalogue row when it is made; an
// identifier that the catalogue lacks is reported under "clsRepDispCol_Init"
// and kept, with empty names, so that writing keeps it.
class clsRepDefParser {
public:
    clsRepDefParser() { Init(false, true, false); }

    QList<clsRepDispCol> DispCols;
    QList<clsRepFilter> Filters;
    bool GroupByFirstCol = false;
    bool Landscape = true;
    bool ShowRowNum = false;

    // Empties both lists, sets the flags and the separator "~".
    void Init(bool groupByFirstCol, bool landscape, bool showRowNum);
    // Replaces the whole content by what the text holds. Malformed text is
    // never an error: fewer than seven lines leave the defaults of Init(false,
    // true, false), lines after the seventh are ignored, a flag is set only by
    // "1", items that are no identifier (see repIdentifier) are skipped, and
    // criteria whose three lines differ in item count are dropped as a whole.
    void InitFromRptDef(const QString& text);
    void AddDisplayColumn(qint32 colId);
    // A criterion read back from its display text (clsRepFilter).
    void AddFilter(qint32 colId, const QString& filterText);
    // A criterion kept as column, operator and value, as the definition
    // window holds it.
    void AddFilter(qint32 colId, const QString& oper, const QString& value);
    // The stored text of the current content.
    QString GetRptDefBuffer() const;

private:
    QChar m_separator = QLatin1Char('~');
};
