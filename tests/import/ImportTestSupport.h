#pragma once

#include "TestSupport.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <QStringList>

#include <initializer_list>

namespace bmtest {

// UTF-8 literals as texts.
inline QString s(const char* text) { return QString::fromUtf8(text); }
inline QStringList texts(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items)
        out.append(QString::fromUtf8(item));
    return out;
}

// Writes `bytes` to a new file of that name in `folder`; its path.
inline QString writeImportFile(const TempFolder& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder.file(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

} // namespace bmtest
