#include "reports/clsRepDefParser.h"

#include "common/clsSystem.h"
#include "reports/RepNumber.h"

#include <QStringList>

namespace {

constexpr QChar kLineBreak(10);
constexpr QChar kOldSeparator(254);
constexpr int kLineCount = 7;

// The pieces of `text` at `delimiter`, trimmed, numbered from 1.
QStringList pieces(const QString& text, QChar delimiter)
{
    QStringList result;
    Sys().StrParse2Array(text, result, delimiter, false);
    return result;
}

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

void clsRepDefParser::Init(bool groupByFirstCol, bool landscape, bool showRowNum)
{
    m_separator = QLatin1Char('~');
    Sys().CollectionClear(DispCols);
    Sys().CollectionClear(Filters);
    GroupByFirstCol = groupByFirstCol;
    Landscape = landscape;
    ShowRowNum = showRowNum;
}

void clsRepDefParser::InitFromRptDef(const QString& text)
{
    Init(false, true, false);
    if (text.contains(kOldSeparator))
        m_separator = kOldSeparator;
    const QStringList lines = pieces(text, kLineBreak);
    if (lines.size() - 1 < kLineCount)
        return;
    GroupByFirstCol = lines.at(1) == QLatin1String("1");
    ShowRowNum = lines.at(6) == QLatin1String("1");
    Landscape = lines.at(7) == QLatin1String("1");

    const QStringList columns = pieces(lines.at(2), m_separator);
    for (qsizetype i = 1; i < columns.size(); ++i)
        if (const std::optional<qint32> id = repIdentifier(columns.at(i)))
            AddDisplayColumn(*id);

    const QStringList ids = pieces(lines.at(3), m_separator);
    const QStringList opers = pieces(lines.at(4), m_separator);
    const QStringList values = pieces(lines.at(5), m_separator);
    if (ids.size() != opers.size() || ids.size() != values.size())
        return;
    for (qsizetype i = 1; i < ids.size(); ++i)
        if (const std::optional<qint32> id = repIdentifier(ids.at(i)))
            AddFilter(*id, opers.at(i), values.at(i));
}

void clsRepDefParser::AddDisplayColumn(qint32 colId)
{
    DispCols.append(clsRepDispCol());
    DispCols.last().Init(colId, nullptr);
}

void clsRepDefParser::AddFilter(qint32 colId, const QString& filterText)
{
    Filters.append(clsRepFilter());
    Filters.last().Init_ParseFilterExpr(colId, filterText);
}

void clsRepDefParser::AddFilter(qint32 colId, const QString& oper, const QString& value)
{
    Filters.append(clsRepFilter());
    Filters.last().Init(colId, oper, value);
}

QString clsRepDefParser::GetRptDefBuffer() const
{
    QStringList columns, ids, opers, values;
    for (const clsRepDispCol& col : DispCols)
        columns.append(QString::number(col.ColID));
    for (const clsRepFilter& filter : Filters) {
        ids.append(QString::number(filter.ColId));
        opers.append(filter.Oper);
        values.append(filter.Value);
    }
    const QStringList lines{flag(GroupByFirstCol),   columns.join(m_separator), ids.join(m_separator),
                            opers.join(m_separator), values.join(m_separator),  flag(ShowRowNum),
                            flag(Landscape)};
    return lines.join(kLineBreak);
}
