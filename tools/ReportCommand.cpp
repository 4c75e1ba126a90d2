#include "Command.h"

#include "common/GridCsv.h"
#include "common/PromptService.h"
#include "common/Win1252.h"
#include "data/ShippedData.h"
#include "data/clsDB.h"
#include "reports/ReportRun.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <ostream>
#include <string>

// bmtool report FOLDER ID --csv FILE
//
// Runs the stored report ID of the database in FOLDER as the report window
// does (same walk, criteria, sort, row numbers and grouping) and saves the
// grid, headings first, as the window's Save As would. Prints the number of
// rows, the records read and the index tag walked. Messages that the window
// would show go to the error output.

namespace {

// Every prompt becomes a line on the error output, answered as if closed.
class ToolPrompts final : public PromptService {
public:
    explicit ToolPrompts(std::ostream& err) : m_err(err) {}
    MsgAnswer messageBox(const MsgBoxRequest& request) override
    {
        say(request.text);
        return msgEscapeAnswer(request.style);
    }
    void messageWindow(const QString& text, int, int) override { say(text); }
    std::optional<QString> inputBox(const QString& prompt, const QString&, const QString&, int) override
    {
        say(prompt);
        return std::nullopt;
    }
    std::optional<QString> fileDialog(const FileDialogRequest&) override { return std::nullopt; }
    QString folderDialog(const QString&, const QString&, bool) override { return {}; }
    bool printerDialog(QPrinter*, const QString&) override { return false; }
    std::optional<PrinterChoice> printerSelection(const QString&) override { return std::nullopt; }
    bool execDialog(QObject*) override { return false; }
    bool mailHandOff(const MailMessage&, bool, RunError&) override { return false; }
    void setWaitCursor(bool) override {}

private:
    void say(const QString& text) { m_err << "bmtool report: " << text.toStdString() << '\n'; }
    std::ostream& m_err;
};

bool readId(const std::string& text, qint32* out)
{
    bool ok = false;
    *out = QString::fromStdString(text).toInt(&ok);
    return ok;
}

bool writeCsv(const ReportGrid& grid, const QString& fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QStringList cells;
    for (int c = 0; c < grid.columnCount(); ++c)
        cells.append(grid.column(c).heading);
    for (int r = -1; r < grid.rowCount(); ++r) {
        if (r >= 0) {
            cells.clear();
            for (int c = 0; c < grid.columnCount(); ++c)
                cells.append(grid.text(r, c));
        }
        const std::string bytes = toWin1252(GridCsv::line(cells));
        if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            return false;
    }
    return file.commit();
}

} // namespace

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    qint32 reportId = 0;
    if (args.size() != 4 || args[2] != "--csv" || !readId(args[1], &reportId) || args[3].empty()) {
        err << "usage: bmtool report FOLDER ID --csv FILE\n";
        return kCommandUsage;
    }
    const QString folder = QString::fromStdString(args[0]);
    if (!QFileInfo(folder).isDir()) {
        err << "bmtool report: no folder " << args[0] << '\n';
        return kCommandFailed;
    }
    // The catalogue is found beside the program, which needs the application.
    std::optional<QCoreApplication> app;
    static int argc = 1;
    static char name[] = "bmtool";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        app.emplace(argc, argv);
    ToolPrompts prompts(err);
    PromptService* before = setPrompts(&prompts);
    clsDB& db = clsDB::instance();
    int result = kCommandFailed;
    if (!db.startSession(folder, ShippedData::admin().rowid, QLatin1String(ShippedData::admin().login))) {
        err << "bmtool report: the engine cannot start\n";
    } else {
        ReportRun run;
        NoProgress progress;
        if (run.LoadData(reportId) && run.DisplayReportData(progress)) {
            if (writeCsv(run.grid(), QString::fromStdString(args[3]))) {
                out << run.grid().rowCount() << " rows\n"
                    << "records read: " << run.visitedCount() << '\n'
                    << "index tag: " << (run.walkedTag().isEmpty() ? std::string("(record order)")
                                                                   : run.walkedTag().toStdString())
                    << '\n';
                result = kCommandDone;
            } else {
                err << "bmtool report: cannot write " << args[3] << '\n';
            }
        }
        db.endSession();
    }
    setPrompts(before);
    return result;
}
