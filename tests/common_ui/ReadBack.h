#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// What independent Debian tools read from the files the program wrote.
namespace readback {

inline QByteArray runRaw(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return "<" + program.toUtf8() + " failed>";
    return p.readAllStandardOutput();
}

inline QString run(const QString& program, const QStringList& args)
{
    return QString::fromUtf8(runRaw(program, args));
}

// unrtf's plain text (it writes Latin-1), less the comment lines it puts first.
inline QString unrtfText(const QString& path)
{
    QStringList lines =
        QString::fromLatin1(runRaw(QStringLiteral("unrtf"), {QStringLiteral("--text"), path})).split(u'\n');
    lines.removeIf([](const QString& l) { return l.startsWith(QStringLiteral("###")); });
    return lines.join(u'\n');
}

inline QString odtText(const QString& path)
{
    return run(QStringLiteral("odt2txt"), {QStringLiteral("--encoding=UTF-8"), path});
}

// The text of each page of a PDF.
inline QStringList pdfPages(const QString& path)
{
    QStringList pages = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
                            .split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace readback
