// Usage: QT_QPA_PLATFORM=offscreen bench/bench_gridtext [rows]
//
// A generated import file of `rows` rows (100,000 unless told) through the
// import preview: its time, the longest stretch the event loop went unserved
// (StallMeter; after a first preview of a short file, so that the wait
// window's first showing in the process is not counted) and the resident
// memory the preview added beside the file's size; then the preview's rows saved as a comma-separated file and turned
// into list text.
#include "bench/ResidentMemory.h"
#include "bench/StallMeter.h"
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

#include <malloc.h>

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
    grid.resize(800, 600);
    grid.show();
    QCoreApplication::processEvents();
    QStringList headings;
    Sys().StrParse2Array(QStringLiteral("Name,Phone,City"), headings, u',', false);
    // A first preview of a short file: the wait window's first showing in a
    // process (style, fonts) is not the preview's cost.
    SysUI().ImportLoadPreviewGrid(&grid, writeImportFile(temp.filePath(QStringLiteral("warm.csv")), 10),
                                  {QStringLiteral("Name")}, headings, 10);
    QCoreApplication::processEvents();
    malloc_trim(0);
    const long long before = bench::residentBytes();
    StallMeter stalls([&grid] { return QStringLiteral("row %1").arg(grid.model() ? grid.model()->rowCount() : 0); });
    QElapsedTimer clock;
    clock.start();
    stalls.start();
    SysUI().ImportLoadPreviewGrid(&grid, csv, {QStringLiteral("Name"), QStringLiteral("City")}, headings, rows);
    QCoreApplication::processEvents();
    stalls.stop();
    const qint64 previewMs = clock.elapsed();
    malloc_trim(0);
    const long long added = bench::residentBytes() - before;
    const qint64 fileBytes = QFile(csv).size();
    std::printf("import preview: %d rows in %lld ms, longest wait for the event loop %lld ms\n",
                grid.model()->rowCount(), previewMs, stalls.longest());
    if (!stalls.stretches().isEmpty())
        std::printf("  stretches over 100 ms: %s\n", qPrintable(stalls.stretchesText()));
    std::printf("  memory added %.1f MB (%.1f bytes a row) for a file of %.1f MB (%.1f bytes a row): factor %.2f\n",
                double(added) / 1048576.0, rows ? double(added) / rows : 0.0, double(fileBytes) / 1048576.0,
                rows ? double(fileBytes) / rows : 0.0, fileBytes ? double(added) / double(fileBytes) : 0.0);

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
