#include "data/clsDB.h"

#include "common/PromptService.h"
#include "common/SharedAccess.h"
#include "common/clsSystem.h"
#include "data/DbMessages.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Removes everything it can, silently: folders are made writable first so
// that read-only sub-folders give up their entries; a link is removed, never
// followed; an entry that resists stays.
void removeTree(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink()) {
        QFile::remove(path);
        return;
    }
    QFile::setPermissions(path, info.permissions() | QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QDir dir(path);
    const auto entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries)
        removeTree(entry.filePath());
    QDir().rmdir(path);
}

} // namespace

QString clsDB::AttachPath() const
{
    return MakePath(m_dbPath, Schema::attachFolderName());
}

void clsDB::CreateAttachDir()
{
    const QString path = AttachPath();
    if (Sys().DirExists(path))
        return;
    if (!Sys().CreateDir(path, true)) {
        MsgBox(DbMsg::attachDirFailed(path), MsgStyle::Exclamation);
        return;
    }
    // Every user of the database adds record folders to it.
    (void)shareAccessOf(path, m_dbPath);
}

QString clsDB::GetAttachmentSubDir(qint32 rowid, const QString& prefix) const
{
    return MakePath(AttachPath(), prefix + QLatin1Char('_') + QString::number(rowid));
}

void clsDB::DeleteAttachments(qint32 rowid, const QString& prefix)
{
    // Deleting attachments never reports: a file in use elsewhere just stays.
    removeTree(GetAttachmentSubDir(rowid, prefix));
}
