#include "Command.h"

#include "common/SharedAccess.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <ostream>

// bmtool mkdb FOLDER
//
// Makes a database folder from the templates of the program folder: the 28
// table files under their own names, with the folder's group, writable by
// it. The folder is made when missing; a folder that already holds one of
// the files is refused and left alone.

namespace {

QStringList databaseFiles()
{
    QStringList names;
    for (Schema::Table t : Schema::allTables()) {
        names.append(Schema::tableName(t) + QLatin1String(".dbf"));
        names.append(Schema::tableName(t) + QLatin1String(".cdx"));
        if (Schema::table(t).hasMemo())
            names.append(Schema::tableName(t) + QLatin1String(".fpt"));
    }
    return names;
}

// The folder of this executable, or BM_PROGRAM_DIR when set.
QString programFolder()
{
    const QString fromEnv = qEnvironmentVariable("BM_PROGRAM_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

} // namespace

int runMkdb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1) {
        err << "usage: bmtool mkdb FOLDER\n";
        return kCommandUsage;
    }
    const QDir folder(QString::fromStdString(args[0]));
    const QDir program(programFolder());
    if (!QDir().mkpath(folder.path())) {
        err << "bmtool mkdb: cannot make the folder " << args[0] << '\n';
        return kCommandFailed;
    }
    const QStringList names = databaseFiles();
    for (const QString& name : names) {
        if (QFile::exists(folder.filePath(name))) {
            err << "bmtool mkdb: " << qPrintable(folder.filePath(name)) << " exists already\n";
            return kCommandFailed;
        }
    }
    for (const QString& name : names) {
        const QString source = program.filePath(Schema::templateName(name));
        if (!QFile::copy(source, folder.filePath(name))) {
            err << "bmtool mkdb: cannot copy " << qPrintable(source) << '\n';
            return kCommandFailed;
        }
        // Templates may be read-only where they are installed; a database is
        // not, and its folder's group shares it whatever the umask.
        (void)shareAccessOf(folder.filePath(name), folder.path(), kTableFileBits);
    }
    out << names.size() << " files made in " << args[0] << '\n';
    return kCommandDone;
}
