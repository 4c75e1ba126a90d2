#include "common/clsSystem.h"

#include "common/ImportFileReader.h"
#include "common/WaitCursor.h"

bool clsSystem::FileReadRowNum(const QString& fileName, qint32 lineNumber, QString& line) const
{
    WaitCursor busy;
    ImportFileReader reader(fileName);
    if (!reader.open()) {
        busy.done();
        ShowError(QStringLiteral("clsSystem_FileReadRowNum"),
                  QFile::exists(fileName) ? RunError::permissionDenied() : RunError::fileNotFound());
        return false;
    }
    bool found = false;
    QString read;
    for (qint32 n = 1; !found && reader.readLine(read); ++n) {
        if (n == lineNumber) {
            line = trimBlanks(read);
            found = true;
        }
    }
    const bool failed = reader.error();
    reader.close();
    busy.done();
    if (failed)
        ShowError(QStringLiteral("clsSystem_FileReadRowNum"), RunError::deviceIO());
    return found && !failed;
}

bool clsSystem::ImportIsColumnRelevant(const QString& heading, const QStringList& definedHeadings) const
{
    return definedHeadings.contains(heading, Qt::CaseSensitive);
}
