#include "DataUiFixture.h"

#include "data/ui/clsDBUtil.h"
#include "data/ui/frmDBMaint.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

namespace bmtest {
namespace {

// Every file of the folder with a checksum of its contents.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        QFile f(QDir(folder).filePath(name));
        if (f.open(QIODevice::ReadOnly))
            files.insert(name, QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return files;
}

const QString kWarning = QStringLiteral(
    "WARNING: \n"
    "1. Backup your Database Files (See File menu for instructions) before performing any maintenance\n"
    "2. Make sure no one is using the application before performing any maintenance\n"
    "\n"
    "Select a data file and press [Re-Index]");

QString confirmation(const QString& path)
{
    return QStringLiteral("You are about to Re-Index the following file:\n\n") + path
        + QStringLiteral("\n\nThis operation may take several minutes and requires exclusive access to data files. "
                         "Do you want to continue?");
}

class MaintenanceWindowTest : public DataUiTest {
protected:
    void TearDown() override
    {
        clsDBUtil::installModalRunner(nullptr);
        DataUiTest::TearDown();
    }

    // Shows the window through the maintenance command; `script` acts on it
    // in place of the user while it would be modal.
    void show(const std::function<void(frmDBMaint&)>& script)
    {
        clsDBUtil::installModalRunner([this, script](frmDBMaint& window) {
            ++m_showings;
            m_window = &window;
            script(window);
        });
        DBUtil().DlgDBMaintenance(&m_owner, m_db.DataFilePaths());
    }

    // Selects the data file of table position `row` and presses Re-Index.
    static void reindexRow(frmDBMaint& window, int row)
    {
        window.lstDataFiles->setCurrentRow(row);
        QTest::mouseClick(window.IndexButton, Qt::LeftButton);
    }

    QString tablePath(int row) const { return m_db.DataFilePaths().at(row).Table; }

    QWidget m_owner;
    int m_showings = 0;
    frmDBMaint* m_window = nullptr;
};

TEST_F(MaintenanceWindowTest, WithoutADatabaseOnlyTheNoticeIsShown)
{
    m_db.endSession();
    show([](frmDBMaint&) {});
    EXPECT_EQ(m_showings, 0);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("No database is currently open. See File menu."));
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("No Database Open"));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::Information);
}

TEST_F(MaintenanceWindowTest, ListsTheTenDataFilesUnderTheWarningAndStaysLoaded)
{
    show([this](frmDBMaint& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Database Maintenance - Reindex Data Files"));
        EXPECT_EQ(w.lblWarn->text(), kWarning);
        EXPECT_EQ(w.lblWarn->buddy(), w.lstDataFiles);
        EXPECT_EQ(w.IndexButton->text(), QStringLiteral("Re-&Index"));
        EXPECT_EQ(w.CloseButton->text(), QStringLiteral("Close"));
        EXPECT_TRUE(w.lblProgress->text().isEmpty());
        // Tab goes from the list to Re-Index to Close.
        QList<QWidget*> tabOrder;
        for (QWidget* next = w.lstDataFiles->nextInFocusChain(); next != w.lstDataFiles;
             next = next->nextInFocusChain())
            if (next == w.IndexButton || next == w.CloseButton)
                tabOrder.append(next);
        EXPECT_EQ(tabOrder, (QList<QWidget*>{w.IndexButton, w.CloseButton}));
        for (QWidget* shown : {static_cast<QWidget*>(w.lstDataFiles), static_cast<QWidget*>(w.lblWarn),
                               static_cast<QWidget*>(w.lblProgress)})
            EXPECT_EQ(shown->font().family(), QStringLiteral("Verdana"));
        ASSERT_EQ(w.lstDataFiles->count(), 10);
        const QStringList names{QStringLiteral("bcccat.dbf"),   QStringLiteral("bcccust.dbf"),
                                QStringLiteral("bcccust_ps.dbf"), QStringLiteral("bccid.dbf"),
                                QStringLiteral("bccissues.dbf"), QStringLiteral("bcciactions.dbf"),
                                QStringLiteral("bccitempl.dbf"), QStringLiteral("bccuser.dbf"),
                                QStringLiteral("bccrep.dbf"),    QStringLiteral("bccparam.dbf")};
        for (int i = 0; i < names.size(); ++i)
            EXPECT_EQ(w.lstDataFiles->item(i)->text(), QDir(m_folder.path()).filePath(names[i]));
        w.show();
        QTest::mouseClick(w.CloseButton, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
    });
    frmDBMaint* first = m_window;
    show([](frmDBMaint& w) { EXPECT_EQ(w.lstDataFiles->count(), 10); });
    EXPECT_EQ(m_showings, 2);
    EXPECT_EQ(m_window, first);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(MaintenanceWindowTest, ReIndexWithoutASelectionAsksForOne)
{
    const auto before = snapshot(m_folder.path());
    show([](frmDBMaint& w) { QTest::mouseClick(w.IndexButton, Qt::LeftButton); });
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Select a data file to re-index!"));
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("No data file selected"));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::Exclamation | MsgStyle::OkCancel);
    EXPECT_EQ(snapshot(m_folder.path()), before);
}

TEST_F(MaintenanceWindowTest, NoAndCancelLeaveEveryFileAsItWas)
{
    const auto before = snapshot(m_folder.path());
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        m_prompts.clear();
        m_prompts.button(answer);
        show([](frmDBMaint& w) { reindexRow(w, 1); });
        ASSERT_EQ(m_prompts.shown().size(), 1);
        EXPECT_EQ(m_prompts.last().text, confirmation(tablePath(1)));
        EXPECT_EQ(m_prompts.last().title, QStringLiteral("Re-Index Data File"));
        EXPECT_EQ(m_prompts.last().style, MsgStyle::Question | MsgStyle::YesNoCancel | MsgStyle::DefaultButton2);
        EXPECT_EQ(snapshot(m_folder.path()), before);
    }
}

TEST_F(MaintenanceWindowTest, YesRebuildsTheIndexAndKeepsEachOldOneBesideIt)
{
    struct During {
        bool indexEnabled = true;
        bool closeEnabled = true;
        QString progress;
        Qt::CursorShape cursor = Qt::ArrowCursor;
    };
    QList<During> during;
    const QRegularExpression backupOfIds(QStringLiteral("^bccid\\.cdx\\d+$"));
    const auto backups = [&] { return QDir(m_folder.path()).entryList(QDir::Files).filter(backupOfIds); };

    for (int row : {3, 9, 3}) {
        const auto before = snapshot(m_folder.path());
        m_prompts.clear();
        m_prompts.button(MsgAnswer::Yes);
        show([&during, row](frmDBMaint& w) {
            const auto real = w.reindexFiles;
            w.reindexFiles = [&w, &during, real](const QString& path, const clsDBFile& files) {
                during.append({w.IndexButton->isEnabled(), w.CloseButton->isEnabled(), w.lblProgress->text(),
                               w.cursor().shape()});
                return real(path, files);
            };
            reindexRow(w, row);
            w.reindexFiles = real;
            EXPECT_TRUE(w.IndexButton->isEnabled());
            EXPECT_TRUE(w.CloseButton->isEnabled());
            EXPECT_TRUE(w.lblProgress->text().isEmpty());
            EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
        });
        const QString path = tablePath(row);
        ASSERT_EQ(m_prompts.shown().size(), 2);
        EXPECT_EQ(m_prompts.last().text, path + QStringLiteral(" has been re-indexed."));
        EXPECT_EQ(m_prompts.last().title, QStringLiteral("File Indexed"));
        EXPECT_EQ(m_prompts.last().style, MsgStyle::Information);
        ASSERT_EQ(during.size(), 1);
        EXPECT_FALSE(during.first().indexEnabled);
        EXPECT_FALSE(during.first().closeEnabled);
        EXPECT_EQ(during.first().progress, QStringLiteral("Indexing ") + path + QStringLiteral(" ... Please wait..."));
        EXPECT_EQ(during.first().cursor, Qt::WaitCursor);
        during.clear();

        // One file more: the old index under its name and a number.
        const auto after = snapshot(m_folder.path());
        const QString index = QFileInfo(m_db.DataFilePaths().at(row).TableIndex).fileName();
        QStringList added;
        for (const QString& name : after.keys())
            if (!before.contains(name))
                added.append(name);
        ASSERT_EQ(added.size(), 1);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(index) + QStringLiteral("\\d+$"))
                        .match(added.first())
                        .hasMatch())
            << added.first().toStdString();
        EXPECT_EQ(after.value(added.first()), before.value(index));
        const ToolRun check = runBmtool({QStringLiteral("check"), path});
        EXPECT_EQ(check.exitCode, 0) << check.all().toStdString();
        QThread::msleep(2);   // the next backup gets another number
    }
    EXPECT_EQ(backups().size(), 2);
}

TEST_F(MaintenanceWindowTest, ATableInUseElsewhereFailsAndKeepsItsIndex)
{
    const auto before = snapshot(m_folder.path());
    {
        LockHolder other(tablePath(1), 0);
        ASSERT_TRUE(other.holding());
        m_prompts.button(MsgAnswer::Yes);
        show([](frmDBMaint& w) { reindexRow(w, 1); });
    }
    ASSERT_EQ(m_prompts.shown().size(), 2);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Unable to index file: ") + tablePath(1));
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("File Indexing Failed"));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::Exclamation);
    EXPECT_EQ(snapshot(m_folder.path()), before);
    const ToolRun check = runBmtool({QStringLiteral("check"), tablePath(1)});
    EXPECT_EQ(check.exitCode, 0) << check.all().toStdString();
}

} // namespace
} // namespace bmtest
