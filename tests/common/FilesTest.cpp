#include "common/ScriptedPrompts.h"
#include "common/clsSystem.h"

#include "LocaleScope.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>


namespace {

class FilesTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_temp.file(name); }

    void writeBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readBytes(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bmtest::TempFolder m_temp;
    ScriptedPrompts m_prompts;
};

TEST_F(FilesTest, MakePathJoinsWithOneSeparator)
{
    const struct {
        const char *folder, *name, *expected;
    } cases[] = {
        {"/data", "a.txt", "/data/a.txt"}, {"/data/", "a.txt", "/data/a.txt"}, {"/data/", "/a.txt", "/data/a.txt"},
        {"/data", "//a.txt", "/data/a.txt"}, {"", "a.txt", "a.txt"},          {"/", "a.txt", "/a.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sys().MakePath(QString::fromLatin1(c.folder), QString::fromLatin1(c.name)),
                  QString::fromLatin1(c.expected))
            << c.folder << " + " << c.name;
    EXPECT_EQ(Sys().FileNameOnly(QStringLiteral("/a/b.txt")), QStringLiteral("b.txt"));
    EXPECT_EQ(Sys().FileNameOnly(QStringLiteral("b.txt")), QStringLiteral("b.txt"));
}

TEST_F(FilesTest, ExistenceTellsFoldersFromFiles)
{
    writeBytes(QStringLiteral("a.dbf"), "x");
    QDir(m_temp.path()).mkdir(QStringLiteral("sub"));
    EXPECT_TRUE(Sys().DirExists(path(QStringLiteral("sub"))));
    EXPECT_FALSE(Sys().DirExists(path(QStringLiteral("a.dbf"))));
    EXPECT_FALSE(Sys().DirExists(QString()));
    EXPECT_TRUE(Sys().FileExists(path(QStringLiteral("a.dbf"))));
    EXPECT_FALSE(Sys().FileExists(path(QStringLiteral("sub"))));
    EXPECT_FALSE(Sys().FileExists(QString()));
    EXPECT_TRUE(Sys().FileExists(path(QStringLiteral("*.dbf"))));
    EXPECT_TRUE(Sys().FileExists(path(QStringLiteral("?.dbf"))));
    EXPECT_FALSE(Sys().FileExists(path(QStringLiteral("*.cdx"))));
}

TEST_F(FilesTest, CreateDirMakesOneLevelAndReportsOnlyWhenAsked)
{
    EXPECT_TRUE(Sys().CreateDir(path(QStringLiteral("one"))));
    EXPECT_FALSE(Sys().CreateDir(path(QStringLiteral("x/y"))));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    EXPECT_FALSE(Sys().CreateDir(path(QStringLiteral("x/y")), true));
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_TRUE(m_prompts.last().text.endsWith(QStringLiteral("\rcls_CreateDir")));
    EXPECT_FALSE(Sys().CreateDir(QString(), true));
}

TEST_F(FilesTest, DeleteFileRefusesWildcardsAndTakesMissingFilesAsDeleted)
{
    writeBytes(QStringLiteral("a.txt"), "x");
    EXPECT_FALSE(Sys().DeleteFile(path(QStringLiteral("*.txt")), true));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("a.txt"))));
    EXPECT_TRUE(Sys().DeleteFile(path(QStringLiteral("missing.txt")), true));
    EXPECT_TRUE(Sys().DeleteFile(path(QStringLiteral("a.txt")), true));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("a.txt"))));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(FilesTest, DirDeleteRemovesReadOnlyFilesAndSubFolders)
{
    QDir root(m_temp.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("att/_i1004/deep")));
    writeBytes(QStringLiteral("att/top.txt"), "1");
    writeBytes(QStringLiteral("att/_i1004/.hidden"), "2");
    writeBytes(QStringLiteral("att/_i1004/deep/ro.pdf"), "3");
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadUser;
    QFile::setPermissions(path(QStringLiteral("att/top.txt")), readOnly);
    QFile::setPermissions(path(QStringLiteral("att/_i1004/deep/ro.pdf")), readOnly);
    QFile::setPermissions(path(QStringLiteral("att/_i1004/deep")), readOnly | QFile::ExeOwner | QFile::ExeUser);
    // A link to a folder outside is removed, and what it points at is kept.
    writeBytes(QStringLiteral("keep.txt"), "k");
    ASSERT_TRUE(QFile::link(m_temp.path(), path(QStringLiteral("att/link"))));

    EXPECT_FALSE(Sys().DirDelete(path(QStringLiteral("att"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("att"))));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("keep.txt"))));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    EXPECT_FALSE(Sys().DirDelete(path(QStringLiteral("att"))));
    EXPECT_FALSE(Sys().DirDelete(path(QStringLiteral("keep.txt"))));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("keep.txt"))));
}

TEST_F(FilesTest, WriteToFileAndFileReadRoundTripWindows1252)
{
    const QString text = QStringLiteral("Caf\u00E9 \u20AC 5\r\nline two");
    EXPECT_TRUE(Sys().WriteToFile(text, path(QStringLiteral("out.txt")), true));
    EXPECT_EQ(readBytes(QStringLiteral("out.txt")), QByteArray("Caf\xE9 \x80 5\r\nline two"));
    QString back;
    EXPECT_TRUE(Sys().FileRead(back, path(QStringLiteral("out.txt"))));
    EXPECT_EQ(back, text);
    EXPECT_TRUE(Sys().WriteToFile(QString(), path(QStringLiteral("out.txt")), true));
    EXPECT_EQ(readBytes(QStringLiteral("out.txt")), QByteArray());
    EXPECT_FALSE(Sys().FileRead(back, path(QStringLiteral("missing.txt"))));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(FilesTest, WriteToFileThatCannotReplaceTheFileKeepsTheOldOne)
{
    // The temporary file beside a 250-character name cannot be made, even by root.
    const QString name = QString(250, QLatin1Char('n'));
    writeBytes(name, "old content");
    EXPECT_FALSE(Sys().WriteToFile(QStringLiteral("new"), path(name), false));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    EXPECT_FALSE(Sys().WriteToFile(QStringLiteral("new"), path(name), true));
    EXPECT_EQ(readBytes(name), QByteArray("old content"));
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Unable to write to : ") + path(name)
                                         + QStringLiteral(". This file may already be open by another application."));
    EXPECT_EQ(m_prompts.last().style, 48);
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("Brindlemark"));
}

TEST_F(FilesTest, CopyOverwritesAndReportsAMissingSource)
{
    writeBytes(QStringLiteral("src.dbf"), QByteArray(3 << 20, 'x'));
    writeBytes(QStringLiteral("dst.dbf"), "older");
    EXPECT_TRUE(Sys().FileCopyFn(path(QStringLiteral("src.dbf")), path(QStringLiteral("dst.dbf"))));
    EXPECT_EQ(readBytes(QStringLiteral("dst.dbf")), QByteArray(3 << 20, 'x'));
    EXPECT_FALSE(Sys().FileCopyFn(path(QStringLiteral("none.dbf")), path(QStringLiteral("dst.dbf"))));
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("Error #  53 was generated by Brindlemark\rFile not found\rclsSystem_FileCopyFn"));
    EXPECT_EQ(readBytes(QStringLiteral("dst.dbf")).size(), 3 << 20);
}

TEST_F(FilesTest, RenameRefusesAnExistingTarget)
{
    writeBytes(QStringLiteral("a.txt"), "a");
    writeBytes(QStringLiteral("b.txt"), "b");
    EXPECT_FALSE(Sys().FileRename(path(QStringLiteral("a.txt")), path(QStringLiteral("b.txt"))));
    EXPECT_TRUE(m_prompts.last().text.startsWith(QStringLiteral("Error #  58 ")));
    EXPECT_TRUE(m_prompts.last().text.endsWith(QStringLiteral("\rclsSystem_FileRename")));
    EXPECT_EQ(readBytes(QStringLiteral("b.txt")), QByteArray("b"));
    EXPECT_TRUE(Sys().FileRename(path(QStringLiteral("a.txt")), path(QStringLiteral("c.txt"))));
    EXPECT_EQ(readBytes(QStringLiteral("c.txt")), QByteArray("a"));
}

TEST(FileSizeText, KilobytesRoundedWithAFloorOfOne)
{
    LocaleScope english(LocaleScope::english());
    const struct {
        qint64 bytes;
        const char* expected;
    } cases[] = {{0, "1 KB"}, {1023, "1 KB"}, {1024, "1 KB"}, {1535, "1 KB"}, {1536, "2 KB"}, {1 << 20, "1,024 KB"}};
    for (const auto& c : cases)
        EXPECT_EQ(Sys().FileSizeToKBStr(c.bytes), QString::fromLatin1(c.expected)) << c.bytes;
}

TEST(FileDialogs, CancelKeepsTheProposedNameAndAChoiceReplacesIt)
{
    ScriptedPrompts prompts;
    prompts.cancel().text(QStringLiteral("/tmp/chosen.csv"));
    QString name = QStringLiteral("proposed.csv");
    const QString filter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_FALSE(Sys().GetFilenameOpen(name, filter, QStringLiteral("Open")));
    EXPECT_EQ(name, QStringLiteral("proposed.csv"));
    EXPECT_FALSE(prompts.last().file.save);
    EXPECT_EQ(prompts.last().file.fileName, QStringLiteral("proposed.csv"));
    EXPECT_EQ(prompts.last().file.filter, filter);
    EXPECT_TRUE(Sys().GetFilenameSaveAs(name, filter, QStringLiteral("Save")));
    EXPECT_EQ(name, QStringLiteral("/tmp/chosen.csv"));
    EXPECT_TRUE(prompts.last().file.save);
    EXPECT_EQ(Sys().GetSaveFileName(QStringLiteral("Save As"), filter, QStringLiteral("rtf"), QString()), QString());
    EXPECT_EQ(prompts.last().file.defaultExt, QStringLiteral("rtf"));
}

} // namespace
