#include "common/RunError.h"

#include "common/Product.h"

RunError RunError::make(long number, const QString& description)
{
    RunError e;
    e.number = number;
    e.source = Product::name();
    e.description = description;
    return e;
}

RunError RunError::fileNotFound() { return make(53, QStringLiteral("File not found")); }
RunError RunError::fileAlreadyExists() { return make(58, QStringLiteral("File already exists")); }
RunError RunError::permissionDenied() { return make(70, QStringLiteral("Permission denied")); }
RunError RunError::pathFileAccess() { return make(75, QStringLiteral("Path/File access error")); }
RunError RunError::pathNotFound() { return make(76, QStringLiteral("Path not found")); }
RunError RunError::deviceIO() { return make(57, QStringLiteral("Device I/O error")); }
