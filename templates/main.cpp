// bm_mktemplates PROGRAM_FOLDER: writes the shipped table templates, the
// report column catalogue and the mail-merge template from the schema. Run
// by the build; "--list" prints the names of the files it makes.

#include "TemplateWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && args[0] == QLatin1String("--list")) {
        for (const QString& name : TemplateWriter::outputNames())
            std::printf("%s\n", qPrintable(name));
        return 0;
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: bm_mktemplates PROGRAM_FOLDER\n");
        return 2;
    }
    QTemporaryDir work;
    QString error;
    if (!work.isValid() || !QDir().mkpath(args[0])
        || !TemplateWriter::writeAll(work.path(), args[0], &error)) {
        std::fprintf(stderr, "bm_mktemplates: %s\n", qPrintable(error.isEmpty() ? QStringLiteral("no work folder") : error));
        return 1;
    }
    return 0;
}
