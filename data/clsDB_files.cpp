#include "data/clsDB.h"

#include "common/Product.h"
#include "common/PromptService.h"
#include "common/ProgramEnv.h"
#include "common/SharedAccess.h"
#include "common/clsSystem.h"
#include "data/DbNotices.h"
#include "data/Schema.h"

#include <QFile>

namespace {

const QString kBreak = QStringLiteral("\r\n");

// Each name of `names` that does (or does not) exist in the folder,
// followed by a line break.
QString listFiles(const QString& folder, const QStringList& names, bool existing)
{
    QString list;
    for (const QString& name : names) {
        if (Sys().FileExists(Sys().MakePath(folder, name)) == existing)
            list += name + kBreak;
    }
    return list;
}

} // namespace

QStringList clsDB::databaseFileNames()
{
    QStringList names;
    for (Schema::Table t : Schema::allTables()) {
        const QString base = Schema::tableName(t);
        names << base + QStringLiteral(".dbf") << base + QStringLiteral(".cdx");
        if (Schema::table(t).hasMemo())
            names << base + QStringLiteral(".fpt");
    }
    return names;
}

bool clsDB::isAddableFile(const QString& name)
{
    const QString actions = Schema::tableName(Schema::Table::IActions) + QLatin1Char('.');
    const QString templates = Schema::tableName(Schema::Table::ITempl) + QLatin1Char('.');
    return name.startsWith(actions) || name.startsWith(templates);
}

bool clsDB::copyTemplates(const QString& folder, const QStringList& names, QStringList* copied)
{
    for (const QString& name : names) {
        const QString target = MakePath(folder, name);
        if (!Sys().FileCopyFn(MakePath(ProgramEnv::programFolder(), Schema::templateName(name)), target))
            return false;
        // A database is shared by its folder's group, whoever makes it.
        (void)shareAccessOf(target, folder, kTableFileBits);
        if (copied)
            copied->append(target);
    }
    return true;
}

bool clsDB::NewDB(const QString& folder)
{
    if (!DirIsClean(folder))
        return false;
    QStringList copied;
    if (copyTemplates(folder, databaseFileNames(), &copied))
        return true;
    // Half a database would block the next try as "files already exist".
    for (const QString& path : std::as_const(copied))
        QFile::remove(path);
    MsgBox(DbNotice::reinstall(), MsgStyle::Information);
    return false;
}

bool clsDB::DirContainsValidData(const QString& folder)
{
    QStringList required;
    QStringList addable;
    for (const QString& name : databaseFileNames())
        (isAddableFile(name) ? addable : required).append(name);
    QString missing = listFiles(folder, required, false);
    if (missing.isEmpty()) {
        // A table is completed from its template only when none of its files
        // is there: a blank table beside a surviving index or memo file
        // would lose its rows. A table that lacks some of its files is
        // missing them, and then nothing at all is copied.
        QStringList toCopy;
        for (Schema::Table t : {Schema::Table::IActions, Schema::Table::ITempl}) {
            const QString stem = Schema::tableName(t) + QLatin1Char('.');
            QStringList files;
            for (const QString& name : std::as_const(addable))
                if (name.startsWith(stem))
                    files.append(name);
            const QString absent = listFiles(folder, files, false);
            if (absent.count(kBreak) == files.size())
                toCopy += files;
            else
                missing += absent;
        }
        if (missing.isEmpty()) {
            if (!copyTemplates(folder, toCopy, nullptr))
                return false;
            missing = listFiles(folder, addable, false);
        }
    }
    if (missing.isEmpty())
        return true;
    Sys().ShowMsg(DbNotice::missingFiles(folder, missing, DBMSFiles()), 2, -1);
    return false;
}

bool clsDB::DirIsClean(const QString& folder)
{
    const QString existing = listFiles(folder, databaseFileNames(), true);
    if (existing.isEmpty())
        return true;
    Sys().ShowMsg(DbNotice::existingFiles(folder, existing), 3, -1);
    return false;
}

QString clsDB::DBMSFiles() const
{
    const QStringList names = databaseFileNames();
    return Product::name() + QStringLiteral(" database consists of the following ")
        + QString::number(names.size())
        + QStringLiteral(
               " files. All these files must exist together in a directory before a database can be opened. "
               "All these files must be BACKed up together as a unit and if needed, RESTOREd together as a unit "
               "from a single backup archive. For example, if you backup on a weekly basis, do NOT restore some "
               "files from the backup archive made this week and other files from the backup archive from last "
               "week. Instead, restore all files from either this week's or last week's backup archive. ")
        + kBreak + kBreak + names.join(kBreak) + kBreak + kBreak
        + QStringLiteral("IMPORTANT: The attachments for a ") + Product::name()
        + QStringLiteral(" are saved in a folder called '") + Schema::attachFolderName()
        + QStringLiteral("' under your Customer Data directory. Therefore, you will also need to back up all "
                         "directories and files under ")
        + AttachPath() + kBreak;
}
