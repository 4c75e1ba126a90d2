// Writes the help pages and the specifications sheet into the program folder:
//   bm_mkhelp <pages folder> <sheet source> <program folder>
// The sources name the product, its version and its maker only through
// placeholders, filled here from the program's own constants.

#include "common/Product.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QVersionNumber>

#include <cstdio>

namespace {

QString filled(QString text)
{
    const QVersionNumber version = QVersionNumber::fromString(Product::version());
    text.replace(QStringLiteral("@PRODUCT@"), Product::name());
    text.replace(QStringLiteral("@MAKER@"), Product::maker());
    text.replace(QStringLiteral("@WEBSITE@"), Product::website());
    text.replace(QStringLiteral("@VERSION@"), QStringLiteral("%1.%2 Rev. %3")
                                                  .arg(version.majorVersion())
                                                  .arg(version.minorVersion())
                                                  .arg(version.microVersion()));
    return text;
}

bool fail(const QString& what)
{
    std::fprintf(stderr, "bm_mkhelp: %s\n", qPrintable(what));
    return false;
}

bool readSource(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read ") + path);
    text = filled(QString::fromUtf8(file.readAll()));
    return true;
}

bool writePages(const QString& pagesFolder, const QString& programFolder)
{
    const QFileInfoList pages = QDir(pagesFolder).entryInfoList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    if (pages.isEmpty())
        return fail(QStringLiteral("no pages in ") + pagesFolder);
    for (const QFileInfo& page : pages) {
        QString text;
        if (!readSource(page.filePath(), text))
            return false;
        QSaveFile out(QDir(programFolder).filePath(page.fileName()));
        if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit())
            return fail(QStringLiteral("cannot write ") + out.fileName());
    }
    return true;
}

bool writeSheet(const QString& source, const QString& programFolder)
{
    QString html;
    if (!readSource(source, html))
        return false;
    const QString target = QDir(programFolder).filePath(QStringLiteral("brindlemark_specs.pdf"));
    const QString partial = target + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setTitle(Product::name() + QStringLiteral(" Specifications"));
        writer.setCreator(Product::name());
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
        QTextDocument document;
        // Without ligatures, text taken from the sheet reads as it was written.
        QFont font = document.defaultFont();
        font.setStyleStrategy(QFont::PreferNoShaping);
        document.setDefaultFont(font);
        document.setHtml(html);
        document.print(&writer);
    }
    QFile::remove(target);
    if (QFileInfo(partial).size() == 0 || !QFile::rename(partial, target))
        return fail(QStringLiteral("cannot write ") + target);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);   // fonts for the sheet
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: bm_mkhelp <pages folder> <sheet source> <program folder>\n");
        return 2;
    }
    return writePages(args.at(1), args.at(3)) && writeSheet(args.at(2), args.at(3)) ? 0 : 1;
}
