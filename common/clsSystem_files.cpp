#include "common/clsSystem.h"

#include "common/PromptService.h"
#include "common/SharedAccess.h"
#include "common/Win1252.h"
#include "xbase/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cmath>
#include <cstdio>

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

// Any write bit set clears the read-only state as far as it matters here.
void makeWritable(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// A folder must also be searchable and writable before its entries can go.
void makeFolderWritable(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                    | QFileDevice::ExeOwner);
}

bool hasWildcard(const QString& name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

RunError openError(const QString& path)
{
    return QFileInfo(path).absoluteDir().exists() ? RunError::pathFileAccess() : RunError::pathNotFound();
}

bool copyContents(QFile& from, QFileDevice& to)
{
    while (!from.atEnd()) {
        const QByteArray chunk = from.read(kCopyChunk);
        if (chunk.isEmpty() && from.error() != QFileDevice::NoError)
            return false;
        if (to.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

} // namespace

bool clsSystem::DirExists(const QString& path) const
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool clsSystem::CreateDir(const QString& path, bool reportError) const
{
    if (path.isEmpty())
        return false;
    if (QDir().mkdir(path))
        return true;
    if (reportError)
        ShowError(QStringLiteral("cls_CreateDir"), QFileInfo::exists(path) ? RunError::pathFileAccess() : openError(path));
    return false;
}

bool clsSystem::DirDelete(const QString& folder) const
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || info.isSymLink())
        return false;
    makeFolderWritable(folder);
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString path = MakePath(folder, entry.fileName());
        if (entry.isDir() && !entry.isSymLink()) {
            if (DirDelete(path))
                return true;
            continue;
        }
        if (!entry.isSymLink())
            makeWritable(path);
        if (!DeleteFile(path, true))
            return true;
    }
    QDir().rmdir(folder);
    return false;
}

bool clsSystem::FileExists(const QString& path) const
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!hasWildcard(info.fileName()))
        return info.isFile();
    const QDir dir = info.dir();
    if (hasWildcard(dir.path()))
        return false;
    return !dir.entryList({info.fileName()}, QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

bool clsSystem::FileCopyFn(const QString& source, const QString& destination) const
{
    const QString label = QStringLiteral("clsSystem_FileCopyFn");
    QFile from(source);
    if (!QFileInfo(source).isFile()) {
        ShowError(label, RunError::fileNotFound());
        return false;
    }
    if (!from.open(QIODevice::ReadOnly)) {
        ShowError(label, RunError::permissionDenied());
        return false;
    }
    QSaveFile to(destination);
    if (!to.open(QIODevice::WriteOnly)) {
        ShowError(label, openError(destination));
        return false;
    }
    if (!copyContents(from, to) || !to.commit()) {
        ShowError(label, RunError::deviceIO());
        return false;
    }
    return true;
}

clsSystem::FolderCopy clsSystem::copyIntoFolder(const QString& source, const QString& folder, const QString& name,
                                                bool replace) const
{
    const QString label = QStringLiteral("clsSystem_FileCopyFn");
    QFile from(source);
    if (!QFileInfo(source).isFile()) {
        ShowError(label, RunError::fileNotFound());
        return FolderCopy::Failed;
    }
    if (!from.open(QIODevice::ReadOnly)) {
        ShowError(label, RunError::permissionDenied());
        return FolderCopy::Failed;
    }
    const QString destination = MakePath(folder, name);
    // A short name of its own, so that a name as long as the folder allows
    // still fits, in the folder itself, so that taking the name is a rename.
    QTemporaryFile temp(MakePath(folder, QStringLiteral(".copy-XXXXXX")));
    if (!temp.open()) {
        ShowError(label, openError(destination));
        return FolderCopy::Failed;
    }
    if (!copyContents(from, temp) || !temp.flush()) {
        ShowError(label, RunError::deviceIO());
        return FolderCopy::Failed;
    }
    (void)xbase::shareAccess(temp.handle(), QFile::encodeName(folder).toStdString());
    const QByteArray made = QFile::encodeName(temp.fileName());
    const int err = replace ? (std::rename(made.constData(), QFile::encodeName(destination).constData()) == 0 ? 0 : errno)
                            : renameWithoutReplacing(temp.fileName(), destination);
    if (err == EEXIST)
        return FolderCopy::NameTaken;
    if (err != 0) {
        ShowError(label, RunError::pathFileAccess());
        return FolderCopy::Failed;
    }
    temp.setAutoRemove(false); // its name is the copy's now
    return FolderCopy::Copied;
}

bool clsSystem::FileRename(const QString& oldPath, const QString& newPath) const
{
    const int err = renameWithoutReplacing(oldPath, newPath);
    if (err == 0)
        return true;
    RunError error = RunError::pathFileAccess();
    if (!QFileInfo::exists(oldPath))
        error = RunError::fileNotFound();
    else if (err == EEXIST)
        error = RunError::fileAlreadyExists();
    ShowError(QStringLiteral("clsSystem_FileRename"), error);
    return false;
}

bool clsSystem::DeleteFile(const QString& path, bool showError) const
{
    if (path.contains(QLatin1Char('*')))
        return false;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if ((info.isSymLink() || !info.isDir()) && QFile::remove(path))
        return true;
    if (showError)
        ShowError(QStringLiteral("clsSystem_DeleteFile"), RunError::pathFileAccess());
    return false;
}

bool clsSystem::WriteToFile(const QString& text, const QString& path, bool showMessage) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        const std::string bytes = toWin1252(text);
        if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.flush()) {
            ShowError(QStringLiteral("clsSystem_WriteToFile"), RunError::deviceIO());
            return false;
        }
        // With the content written, what can still fail is taking the old file's place.
        if (file.commit())
            return true;
    }
    // The new content could not take the old file's place; the old file stands.
    if (showMessage)
        MsgBox(QStringLiteral("Unable to write to : ") + path
                   + QStringLiteral(". This file may already be open by another application."),
               MsgStyle::Exclamation);
    return false;
}

bool clsSystem::FileRead(QString& text, const QString& path) const
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(QStringLiteral("clsSystem_FileRead"), RunError::permissionDenied());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ShowError(QStringLiteral("clsSystem_FileRead"), RunError::deviceIO());
        return false;
    }
    text = fromWin1252(bytes.constData(), bytes.size());
    return true;
}

QString clsSystem::MakePath(const QString& folder, const QString& fileName) const
{
    if (folder.isEmpty())
        return fileName;
    qsizetype skip = 0;
    while (skip < fileName.size() && fileName.at(skip) == QLatin1Char('/'))
        ++skip;
    const QString name = fileName.mid(skip);
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString clsSystem::FileNameOnly(const QString& path) const
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString clsSystem::FileSizeToKBStr(qint64 bytes) const
{
    if (bytes < 1024)
        return QStringLiteral("1 KB");
    // Grouped like "#,###,###" whatever the locale's own habit.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    const auto kb = static_cast<qlonglong>(std::floor(double(bytes) / 1024.0 + 0.5));
    return locale.toString(kb) + QStringLiteral(" KB");
}

QString clsSystem::FileTimeToDisplayStr(const QDateTime& time) const
{
    if (!time.isValid())
        return {};
    const QDateTime local = time.toLocalTime();
    const QLocale locale;
    return locale.toString(local.date(), displayDateFormat(QLocale::ShortFormat)) + QLatin1Char(' ')
        + locale.toString(local.time(), QStringLiteral("h:mm AP"));
}
