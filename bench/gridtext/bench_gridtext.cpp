// Usage: QT_QPA_PLATFORM=offscreen bench/bench_gridtext [rows]
#include "common/ScriptedPrompts.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

namespace {

QString writeImportFile(const QString& path, int rows)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("Name,Phone,City\r\n");
    for (int i = 1; i <= rows; ++i)
        f.write(QStringLiteral("\"Customer %1, Ltd\",555-%1,M\u00fcnchen\r\n").arg(i).toUtf8());
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir temp;
    ScriptedPrompts prompts;

    // Import preview: the longest stretch without a turn of the event loop.
    const QString csv = writeImportFile(temp.filePath(QStringLiteral("in.csv")), rows);
    QTableView grid;
    QElapsedTimer sinceTurn;
    qint64 longestWait = 0;
    QTimer turn;
    turn.setInterval(0);
    QObject::connect(&turn, &QTimer::timeout, [&] {
        longestWait = std::max(longestWait, sinceTurn.restart());
    });
    QStringList headings;
    Sys().StrParse2Array(QStringLiteral("Name,Phone,City"), headings, u',', false);
    QElapsedTimer clock;
    clock.start();
    sinceTurn.start();
    turn.start();
    SysUI().ImportLoadPreviewGrid(&grid, csv, {QStringLiteral("Name"), QStringLiteral("City")}, headings, rows);
    turn.stop();
    std::printf("import preview: %d rows in %lld ms, longest wait for the event loop %lld ms\n",
                grid.model()->rowCount(), clock.elapsed(), longestWait);

    // The preview's rows saved as a comma-separated file and as list text.
    prompts.text(temp.filePath(QStringLiteral("out.csv"))).button(MsgAnswer::No);
    clock.restart();
    SysUI().SaveGrid(&grid);
    std::printf("save grid: %d rows in %lld ms (%lld bytes)\n", grid.model()->rowCount(), clock.elapsed(),
                QFile(temp.filePath(QStringLiteral("out.csv"))).size());
    QTreeView list;
    list.setModel(grid.model());
    clock.restart();
    const QString text = SysUI().LVContent(&list);
    std::printf("list text: %d rows in %lld ms (%lld characters)\n", grid.model()->rowCount(), clock.elapsed(),
                qint64(text.size()));
    return 0;
}
