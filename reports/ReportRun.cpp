#include "reports/ReportRun.h"

#include "common/PromptService.h"
#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "reports/ReportWalk.h"
#include "reports/RepNumber.h"

bool ReportRun::LoadData(qint32 reportId)
{
    m_reportId = reportId;
    m_title = QLatin1Char('[') + QString::number(reportId) + QLatin1Char(']');
    m_type.clear();
    clsDB& db = DB();
    if (!db.CheckIfRecExists(db.ReportTable(), Schema::dataFileName(Schema::Table::Rep), reportId, false))
        return false;
    RecColl row(db.ReportTable(), reportId, QStringLiteral("_rptdef"));
    if (!db.ReadRecord(row, false))
        return false;
    m_title = row.text(QStringLiteral("title"));
    m_type = row.text(QStringLiteral("type"));
    m_definition.InitFromRptDef(row.text(QStringLiteral("def")));
    return true;
}

bool ReportRun::GetFilterTag(QString& tagName, qint32& key,
                             const std::function<bool(const QString&)>& hasTag) const
{
    for (const clsRepFilter& filter : m_definition.Filters) {
        const std::optional<qint32> value = repIdentifier(filter.Value);
        // Only a category column of the walked table can be sought on, and
        // only where that table's index has the tag; any other criterion is
        // tested on each record of the full walk instead.
        if (filter.Oper != QLatin1String("=") || filter.Col.fldname.isEmpty() || filter.Col.tblname.isEmpty()
            || !value || filter.Col.datatype != QLatin1String("L") || !hasTag(filter.Col.fldname))
            continue;
        tagName = filter.Col.fldname;
        key = *value;
        return true;
    }
    return false;
}

bool ReportRun::DisplayReportData(Progress& progress)
{
    m_visited = 0;
    m_cancelled = false;
    m_walkedTag.clear();
    const bool rowNumbers = m_definition.ShowRowNum;
    QList<ReportGrid::Column> columns;
    if (rowNumbers)
        columns.append({QStringLiteral("Row"), ReportGrid::kRowColumnData, QStringLiteral("R")});
    if (m_definition.DispCols.isEmpty()) {
        m_grid.reset({});
        MsgBox(QStringLiteral("Report definition does not specify any columns to display!"), MsgStyle::Critical);
        return false;
    }
    for (const clsRepDispCol& col : m_definition.DispCols)
        columns.append({col.name, col.ColID, col.datatype});
    m_grid.reset(columns);

    progress.report(-1);
    const bool walked = walk(progress);
    progress.report(-1);
    m_grid.squeeze(&progress);

    const int first = m_grid.firstDataColumn();
    if (m_grid.rowCount() >= 1)
        m_grid.sortBy(first, &progress);
    if (rowNumbers)
        m_grid.numberRows();
    if (m_definition.GroupByFirstCol && m_grid.columnCount() > 1)
        m_grid.blankRepeats(first, &progress);
    return walked;
}

bool ReportRun::walk(Progress& progress)
{
    ReportWalk run(m_definition, m_grid);
    if (!run.open(m_type))
        return false;
    QString tag;
    qint32 key = 0;
    const bool seek = GetFilterTag(tag, key, [&run](const QString& name) { return run.mainHasTag(name); });
    const bool ok = run.walk(seek ? tag : run.defaultTag(), seek ? std::optional<qint32>(key) : std::nullopt,
                             progress);
    m_walkedTag = run.walkedTag();
    m_visited = run.visited();
    m_cancelled = run.cancelled();
    return ok;
}
