#include "reports/clsRepFilter.h"

void clsRepFilter::Reset()
{
    ColId = -1;
    Oper.clear();
    Value.clear();
}

void clsRepFilter::Init(qint32 colId, const QString& oper, const QString& value)
{
    ColId = colId;
    Oper = oper;
    Value = value;
    Col.Init(colId, nullptr);
}

void clsRepFilter::Init_ParseFilterExpr(qint32 colId, const QString& filterText)
{
    ColId = colId;
    const qsizetype open = filterText.lastIndexOf(QLatin1Char('['));
    Value = open < 0 ? QString() : filterText.mid(open + 1);
    if (Value.endsWith(QLatin1Char(']')))
        Value.chop(1);
    const qsizetype apostrophe = filterText.indexOf(QLatin1Char('\''));
    const QString head = apostrophe < 0 ? filterText : filterText.left(apostrophe);
    Oper = head.contains(QLatin1Char('#')) ? QStringLiteral("#") : QStringLiteral("=");
    Col.Init(colId, nullptr);
}

QString FilterDisplayText(const QString& columnName, const QString& oper, const QString& valueDesc,
                          qint32 valueId)
{
    return columnName + QLatin1Char(' ') + oper + QStringLiteral(" '") + valueDesc + QStringLiteral("' [")
        + QString::number(valueId) + QLatin1Char(']');
}
