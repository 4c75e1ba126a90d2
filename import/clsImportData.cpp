#include "import/clsImportData.h"

#include "common/ImportFileReader.h"
#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/YieldPacer.h"
#include "common/ui/frmProgress.h"
#include "import/frmImportPreview.h"

namespace {

// Stands in for the commas that separate fields: a character no text holds,
// so a value may hold any character of the file.
constexpr QChar kFieldBreak(0xFDD0);
constexpr qint32 kMaxFaultyRows = 51;

} // namespace

QStringList importLineFields(const QString& line)
{
    QStringList fields;
    Sys().StrParse2Array(Sys().StrReplaceChar(line, u',', QString(kFieldBreak), false), fields, kFieldBreak, false);
    return fields;
}

bool clsImportData::ValidateCols(const QString& fileName, const ImportColDefs& defs, QStringList& headings,
                                 QString& errorText)
{
    const WaitCursor busy;
    errorText.clear();
    bool result = true;
    QString line;
    if (!Sys().FileReadRowNum(fileName, 1, line)) {
        errorText += QStringLiteral("Unable to read column headers from row 1 of file ") + fileName + Sys().CRLF(2);
        return false;
    }
    Sys().StrParse2Array(line, headings, u',', true);
    for (const clsImportColDef& def : defs) {
        if (def.Required && !headings.contains(def.Name)) {
            result = false;
            errorText += QStringLiteral("Required column '") + def.Name + QStringLiteral("' is missing from the first row.")
                         + Sys().CRLF(2);
        }
    }
    for (qsizetype i = 1; i < headings.size(); ++i) {
        if (!IsImportRelevant(headings.at(i), defs)) {
            result = false;
            errorText += QStringLiteral("Unrecognized column '") + headings.at(i)
                         + QStringLiteral("' found on the first row.") + Sys().CRLF(2);
        }
    }
    return result;
}

bool clsImportData::ValidateRows(const QString& fileName, const ImportColDefs& defs, const QStringList& headings,
                                 QString& errorText, qint32& rowCount)
{
    rowCount = 0;
    qint32 errors = 0;
    ImportFileReader reader(fileName);
    if (!reader.open()) {
        Sys().ShowError(QStringLiteral("clsImportData_ValidateRows"),
                        QFile::exists(fileName) ? RunError::permissionDenied() : RunError::fileNotFound());
        return false;
    }
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, QStringLiteral("Import Data"), QStringLiteral("Validating Data. Please wait..."), false,
                        true);
    QString record;
    // Row 1, the headings, is one line whatever quotes it holds.
    reader.readLine(record);
    YieldPacer pacer;
    while (!wait->m_bCancel && reader.readRecord(record)) {
        if (!checkRecord(reader, record, defs, headings, errorText))
            ++errors;
        rowCount = reader.linesRead() - 1;
        if (errors >= kMaxFaultyRows) {
            errorText += QStringLiteral("MORE THAN 50 ERRORS ENCOUNTERED. ABORTING...") + Sys().CRLF(2);
            break;
        }
        pacer.yieldIfDue();
    }
    const bool cancelled = wait->m_bCancel;
    const bool failed = reader.error();
    reader.close();
    SysUI().WaitDlgRemove(wait);
    if (failed)
        Sys().ShowError(QStringLiteral("clsImportData_ValidateRows"), RunError::deviceIO());
    return errors == 0 && !cancelled && !failed;
}

bool clsImportData::checkRecord(const ImportFileReader& reader, const QString& record, const ImportColDefs& defs,
                                const QStringList& headings, QString& errorText)
{
    if (!reader.recordUnclosed())
        return ValidateARow(reader.recordLine(), Sys().trimBlanks(record), defs, headings, errorText);
    errorText += FmtRowNum(reader.recordLine())
                 + QStringLiteral(": A value that begins with a double quote on this row is never closed: the file "
                                  "ends before its closing double quote.")
                 + Sys().CRLF(2);
    return false;
}

bool clsImportData::ValidateARow(qint32 rowNumber, const QString& line, const ImportColDefs& defs,
                                 const QStringList& headings, QString& errorText)
{
    if (line.isEmpty())
        return true;
    const QString row = FmtRowNum(rowNumber) + QStringLiteral(": ");
    const QStringList fields = importLineFields(line);
    const qsizetype fieldCount = fields.size() - 1;
    if (fieldCount > headings.size() - 1) {
        errorText += row
                     + QStringLiteral("Missing data. Number of entries on this row do NOT equal the number of columns "
                                      "on the first row. LINE CONTENT: ")
                     + line + Sys().CRLF(2);
        return false;
    }
    bool result = true;
    for (qsizetype i = 1; i < headings.size() && i <= fieldCount; ++i) {
        const clsImportColDef* def = defs.find(headings.at(i));
        if (!def)
            continue;
        const QString value = Sys().CSVField_GetValue(fields.at(i));
        const QString valueOf = row + QStringLiteral("The value [") + value + QStringLiteral("] entered for column ")
                                + def->Name;
        // A quoted value of blanks only is no more a value than an empty one.
        if (Sys().trimBlanks(value).isEmpty()) {
            if (!def->AllowBlank) {
                errorText += row + QStringLiteral("A value must be entered for column ") + def->Name
                             + QStringLiteral(".") + Sys().CRLF();
                result = false;
            }
            continue;
        }
        switch (def->TypeCode) {
        case 1:
        case 2: {
            const std::optional<double> number = Sys().numericValue(value);
            if (!number) {
                errorText += valueOf + QStringLiteral(" must be numeric.") + Sys().CRLF();
                result = false;
            } else if (def->CheckRange && (*number < def->MinVal || *number > def->MaxVal)) {
                errorText += valueOf + QStringLiteral(" must be between ") + QString::number(def->MinVal)
                             + QStringLiteral(" and ") + QString::number(def->MaxVal) + QStringLiteral(".")
                             + Sys().CRLF();
                result = false;
            }
            break;
        }
        case 3:
            if (value != QLatin1String("Y") && value != QLatin1String("N")) {
                errorText += valueOf + QStringLiteral(" must be either 'Y' or 'N'.") + Sys().CRLF();
                result = false;
            }
            break;
        case 4:
            if (!Sys().readDate(value).isValid()) {
                errorText += valueOf + QStringLiteral(" must be a valid date.") + Sys().CRLF();
                result = false;
            }
            break;
        default:
            break;
        }
    }
    return result;
}

bool clsImportData::IsImportRelevant(const QString& heading, const ImportColDefs& defs) const
{
    return Sys().ImportIsColumnRelevant(heading, defs.names());
}

bool clsImportData::PreviewData(const QString& fileName, const ImportColDefs& defs, const QStringList& headings,
                                qint32 rowCount, bool& goOn)
{
    frmImportPreview preview(WindowRegistry::current().mainForm());
    preview.Init(fileName, defs, headings, rowCount);
    Prompts().execDialog(&preview);
    goOn = preview.m_bContinue;
    return true;
}

QString clsImportData::FmtRowNum(qint32 rowNumber) const
{
    return QStringLiteral("Row ") + QString::number(rowNumber);
}
