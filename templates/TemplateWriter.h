#pragma once

#include "data/Schema.h"

#include <QString>

// Writes the shipped files of the program folder from the schema: the empty
// table templates (with the built-in administrator, its next identifier and
// the default statuses and priorities), the report column catalogue and the
// mail-merge template.
namespace TemplateWriter {

// Writes every shipped file into `programFolder`, working in `workFolder`
// (which must exist and may be left with work files). False with a message in
// `error` on the first failure.
bool writeAll(const QString& workFolder, const QString& programFolder, QString* error);

// The names of the files writeAll makes, for the build.
QStringList outputNames();

} // namespace TemplateWriter
