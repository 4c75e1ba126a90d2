#include "common/ui/clsSystemUI.h"

#include "common/WaitCursor.h"
#include "common/clsSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QMimeDatabase>
#include <QTreeWidget>

namespace {

constexpr int kRowsBetweenRepaints = 20;

QStringList fileRow(const QFileInfo& entry, const QMimeDatabase& types)
{
    const qint64 size = entry.isDir() ? 0 : entry.size();
    return {entry.fileName().toLower(), Sys().FileSizeToKBStr(size),
            types.mimeTypeForFile(entry).comment().toLower(), Sys().FileTimeToDisplayStr(entry.lastModified())};
}

} // namespace

void clsSystemUI::LvGetFileList(QTreeWidget* lv, const QString& folder) const
{
    const WaitCursor busy;
    if (!folder.isEmpty()) {
        lv->clear();
        const QMimeDatabase types;
        const QFileInfoList entries = QDir(folder).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
        int added = 0;
        for (const QFileInfo& entry : entries) {
            // The key keeps the name as stored, for opening the file again.
            auto* item = new QTreeWidgetItem(fileRow(entry, types));
            lvSetItemKey(item, entry.fileName());
            lv->addTopLevelItem(item);
            if (++added % kRowsBetweenRepaints == 0) {
                lv->viewport()->repaint();
                QCoreApplication::processEvents();
            }
        }
    }
}
