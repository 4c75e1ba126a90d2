#include "common/mdlFolderSelection.h"

#include "common/PromptService.h"

QString BrowseForFolder(const QString& startFolder, const QString& title, bool includeFiles)
{
    return Prompts().folderDialog(title, startFolder, includeFiles);
}
