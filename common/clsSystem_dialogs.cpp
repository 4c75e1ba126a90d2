#include "common/clsSystem.h"

#include "common/PromptService.h"

namespace {

// Hide read-only box, path and file must exist, explorer style, long names.
constexpr long kOpenFlags = 0x281804;
// Overwrite prompt, hide read-only box, path must exist, explorer style, long names.
constexpr long kSaveAsFlags = 0x280806;
// Overwrite prompt, hide read-only box, path must exist.
constexpr long kSaveFlags = 0x806;

} // namespace

bool clsSystem::GetFilename(QString& fileName, const QString& filter, long flags, const QString& title,
                            bool save) const
{
    FileDialogRequest request;
    request.save = save;
    request.title = title;
    request.filter = filter;
    request.fileName = fileName;
    request.flags = flags;
    const std::optional<QString> chosen = Prompts().fileDialog(request);
    if (!chosen || chosen->isEmpty())
        return false;
    fileName = *chosen;
    return true;
}

bool clsSystem::GetFilenameOpen(QString& fileName, const QString& filter, const QString& title) const
{
    return GetFilename(fileName, filter, kOpenFlags, title, false);
}

bool clsSystem::GetFilenameSaveAs(QString& fileName, const QString& filter, const QString& title) const
{
    return GetFilename(fileName, filter, kSaveAsFlags, title, true);
}

QString clsSystem::GetSaveFileName(const QString& title, const QString& filter, const QString& defaultExt,
                                   const QString& fileName) const
{
    FileDialogRequest request;
    request.save = true;
    request.title = title;
    request.filter = filter;
    request.fileName = fileName;
    request.defaultExt = defaultExt;
    request.flags = kSaveFlags;
    return Prompts().fileDialog(request).value_or(QString());
}
