#include "common/clsSystem.h"

#include "common/ImportFileReader.h"

namespace {

QString trimBlanks(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == u' ')
        ++from;
    while (to > from && text.at(to - 1) == u' ')
        --to;
    return text.mid(from, to - from);
}

} // namespace

bool clsSystem::FileReadRowNum(const QString& fileName, qint32 lineNumber, QString& line) const
{
    WaitStart();
    ImportFileReader reader(fileName);
    if (!reader.open()) {
        WaitEnd();
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
    WaitEnd();
    if (failed)
        ShowError(QStringLiteral("clsSystem_FileReadRowNum"), RunError::deviceIO());
    return found && !failed;
}

bool clsSystem::ImportIsColumnRelevant(const QString& heading, const QStringList& definedHeadings) const
{
    return definedHeadings.contains(heading, Qt::CaseSensitive);
}
