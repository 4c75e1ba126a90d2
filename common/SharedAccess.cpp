#include "common/SharedAccess.h"

#include "xbase/FileAccess.h"

#include <QFile>

bool shareAccessOf(const QString& path, const QString& like, unsigned extra)
{
    return xbase::shareAccessAt(QFile::encodeName(path).toStdString(), QFile::encodeName(like).toStdString(), extra)
        .isOk();
}
