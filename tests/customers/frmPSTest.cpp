#include "CustomerFixture.h"
#include "DataFixture.h"

#include "app/EditModeCtl.h"
#include "app/StatisticCtl.h"
#include "common/ui/AttachmentsCtl.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "customers/frmPS.h"
#include "data/RecColl.h"
#include "data/clsDB.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class PSTest : public CustomerFixture {
protected:
    PSTest()
    {
        m_cust = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")},
                              {QStringLiteral("emailname"), QStringLiteral("info@acme.test")}});
        m_hardware = addCategory(QStringLiteral("Hardware"), 2);
    }

    frmPS* openPS(qint32 psId, bool editMode = false)
    {
        m_main.ShowPS(psId, m_cust, editMode);
        QWidget* window = nullptr;
        SysUI().GetFormWithTag(QStringLiteral("P%1").arg(psId), window);
        return dynamic_cast<frmPS*>(window);
    }

    RecColl readPS(qint32 id)
    {
        RecColl coll(DB().Customers2PSTable(), id, QStringLiteral("_ps"));
        EXPECT_TRUE(DB().ReadRecord(coll, true));
        return coll;
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_temp.file(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    qint32 m_cust = -1;
    qint32 m_hardware = -1;
};

const QString kNoCustomer = QStringLiteral(
    "The Customer record to which this Product/Service record belongs no longer exists or is inaccessible.");

TEST_F(PSTest, TabGoesFromTheTabsDownTheFieldsToTheButtonBar)
{
    frmPS* w = openPS(-1, true);
    ASSERT_NE(w, nullptr);
    const QList<QWidget*> chain = {w->TabCtl->tabBar(), w->cboPS, w->cmdCatPS, w->txtShortDesc, w->txtDateInitiated,
                                   w->cmdCalendar0, w->txtDateTerminated, w->cmdCalendar1, w->txtContractNumber,
                                   w->txtTrackNo, w->cboContractType, w->cmdCatContractType, w->cboContractDuration,
                                   w->cmdCatContractDuration, w->txtCust1, w->cmdCust1Cat, w->txtCust2,
                                   w->cmdCust2Cat, w->lblEdit, w->cmdPrint};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        // The next listed widget along the focus chain (inner parts of a
        // control are passed over).
        QWidget* next = chain.at(i)->nextInFocusChain();
        while (!chain.contains(next) && next != chain.at(i))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, chain.at(i + 1)) << chain.at(i)->objectName().toStdString();
    }
    m_prompts.button(MsgAnswer::Yes);
    w->CancelButton->click();
}

TEST_F(PSTest, NewRecordIsStoredByApplyAndTheCustomerListSelectsIt)
{
    frmCustomer* customer = open(m_cust);
    ASSERT_NE(customer, nullptr);
    frmPS* w = openPS(-1, true);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(objectTag(w), QStringLiteral("P-1"));
    EXPECT_EQ(w->txtDateInitiated->text(), QStringLiteral("3/15/2024"));
    EXPECT_EQ(w->lblCustomer->text(), QStringLiteral("Acme"));
    EXPECT_FALSE(w->TabCtl->isTabEnabled(2));
    EXPECT_TRUE(w->lblNewPS->isVisibleTo(w));
    EXPECT_EQ(w->lblNewPS->text(), QStringLiteral("Press Apply button to save this record and to access Attachments tabs"));
    EXPECT_FALSE(w->lblEdit->isVisibleTo(w));
    EXPECT_EQ(w->cboPS->currentIndex(), -1);
    EXPECT_EQ(w->cboContractType->count(), 1); // the blank entry
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Product/Service: New @10:30:00 AM"));

    w->cboPS->setCurrentIndex(0);
    w->txtShortDesc->setText(QStringLiteral("Disk"));
    w->txtDateTerminated->setText(QStringLiteral("12/31/2035"));
    w->cmdApply->click();
    ASSERT_GE(w->RowID, 1000);
    const qint32 id = w->RowID;
    EXPECT_EQ(objectTag(w), QStringLiteral("P%1").arg(id));
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_TRUE(w->TabCtl->isTabEnabled(2));
    EXPECT_TRUE(w->lblEdit->isVisibleTo(w));
    EXPECT_EQ(w->lblEdit->text(), QStringLiteral("Edi&t Data"));
    EXPECT_FALSE(w->lblNewPS->isVisibleTo(w));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Product/Service: Hardware - Disk... @10:30:00 AM"));
    EXPECT_EQ(w->ACtl->Folder(), DB().GetAttachmentSubDir(id, QStringLiteral("_ps")));
    EXPECT_TRUE(windowTexts().isEmpty());

    RecColl coll = readPS(id);
    EXPECT_EQ(coll.value(QStringLiteral("custid")).toInt(), m_cust);
    EXPECT_EQ(coll.value(QStringLiteral("psid")).toInt(), m_hardware);
    EXPECT_EQ(coll.value(QStringLiteral("conttype")).toInt(), -1);
    EXPECT_EQ(coll.text(QStringLiteral("dateinit")), QStringLiteral("20240315"));
    EXPECT_EQ(coll.text(QStringLiteral("dateterm")), QStringLiteral("20351231"));

    // The customer's window reloaded its list with the new row selected.
    ASSERT_EQ(customer->lvPS->topLevelItemCount(), 1);
    EXPECT_TRUE(customer->lvPS->topLevelItem(0)->isSelected());

    // A far end date survives a second save.
    w->DoEditModeBtn();
    ASSERT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(w->txtDateTerminated->text(), QStringLiteral("12/31/2035"));
    w->cmdApply->click();
    EXPECT_EQ(readPS(id).text(QStringLiteral("dateterm")), QStringLiteral("20351231"));
    w->close();
}

TEST_F(PSTest, ValidationShowsEveryFaultUnderTheHeader)
{
    const struct {
        bool ps;
        const char* init;
        const char* term;
        QString message; // empty: saved
    } cases[] = {
        {false, "13/45/2024", "nonsense", QStringLiteral(
             "Please correct the following data entry fields:\r\n\r\n"
             "  - PRODUCT/SERVICE must be selected.\r\n\r\n"
             "  - DATE INITIATED is not a valid date.\r\n\r\n"
             "  - DATE TERMINATED is not a valid date.\r\n\r\n")},
        {false, "3/15/2024", "3/14/2024", QStringLiteral(
             "Please correct the following data entry fields:\r\n\r\n"
             "  - PRODUCT/SERVICE must be selected.\r\n\r\n"
             "  - DATE TERMINATED cannot be before DATE INITIATED.\r\n\r\n")},
        {true, "bad", "3/14/2024", QStringLiteral(
             "Please correct the following data entry fields:\r\n\r\n"
             "  - DATE INITIATED is not a valid date.\r\n\r\n")},
        {true, "3/15/2024", "3/15/2024", QString()},
        {true, "", "", QString()},
    };
    for (const auto& c : cases) {
        frmPS* w = openPS(-1, true);
        ASSERT_NE(w, nullptr);
        m_prompts.clear();
        w->cboPS->setCurrentIndex(c.ps ? 0 : -1);
        w->txtDateInitiated->setText(QString::fromLatin1(c.init));
        w->txtDateTerminated->setText(QString::fromLatin1(c.term));
        w->cmdApply->click();
        if (c.message.isEmpty()) {
            EXPECT_GE(w->RowID, 1000) << c.init;
            EXPECT_TRUE(windowTexts().isEmpty()) << c.init;
        } else {
            EXPECT_EQ(w->RowID, -1) << c.init;
            EXPECT_TRUE(w->EM->InEditMode());
            EXPECT_EQ(windowTexts(), QStringList{c.message}) << c.init;
            m_prompts.button(MsgAnswer::Yes);
        }
        w->close();
    }
}

TEST_F(PSTest, DeletedCategoryLeavesTheComboEmptyAndTheSaveRefused)
{
    const qint32 gone = addCategory(QStringLiteral("Gone"), 2);
    const qint32 id = addPS(m_cust, gone, QStringLiteral("3/1/2024"), QString());
    ASSERT_TRUE(DB().DeleteRecord(gone, DB().CategoryTable()));
    frmPS* w = openPS(id);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->cboPS->currentIndex(), -1);
    w->DoEditModeBtn();
    ASSERT_TRUE(w->EM->InEditMode());
    w->cmdApply->click();
    EXPECT_EQ(windowTexts(), QStringList{QStringLiteral("Please correct the following data entry fields:\r\n\r\n"
                                                        "  - PRODUCT/SERVICE must be selected.\r\n\r\n")});
    EXPECT_TRUE(w->EM->InEditMode());
    // The mark stays while the window stays in edit mode.
    RecColl lock(DB().Customers2PSTable(), id, QStringLiteral("_lockinfo"));
    ASSERT_TRUE(DB().ReadRecord(lock, true));
    EXPECT_NE(lock.text(QStringLiteral("underedit")).trimmed(), QStringLiteral("0"));
    m_prompts.button(MsgAnswer::Yes);
    w->close();
}

TEST_F(PSTest, ActiveStatusFollowsTheTerminationDate)
{
    const struct {
        const char* term;
        const char* shown;
        bool red;
    } cases[] = {
        {"3/15/2024", "Active: YES", false}, {"3/14/2024", "Active: NO", true}, {"", "Active: YES", false},
        {"soon", "Active: YES", false},      {"12/31/2035", "Active: YES", false},
    };
    frmPS* w = openPS(-1, true);
    ASSERT_NE(w, nullptr);
    for (const auto& c : cases) {
        w->txtDateTerminated->setText(QString::fromLatin1(c.term));
        w->SetActiveStatus();
        EXPECT_EQ(w->lblActive->text(), QString::fromLatin1(c.shown)) << c.term;
        EXPECT_EQ(w->lblActive->styleSheet().contains(QStringLiteral("#FF0000")), c.red) << c.term;
    }
    m_prompts.button(MsgAnswer::Yes);
    w->close();
}

TEST_F(PSTest, CustomerDeletedMeanwhileStopsLoadEditAndSave)
{
    const qint32 id = addPS(m_cust, m_hardware, QStringLiteral("3/1/2024"), QString());
    frmPS* w = openPS(id);
    ASSERT_NE(w, nullptr);
    w->DoEditModeBtn();
    ASSERT_TRUE(w->EM->InEditMode());
    w->txtShortDesc->setText(QStringLiteral("changed"));
    ASSERT_TRUE(DB().DeleteRecord(m_cust, DB().CustomerTable()));
    m_prompts.clear();
    w->cmdApply->click();
    EXPECT_EQ(windowTexts().last(), kNoCustomer);
    EXPECT_EQ(windowTexts().size() + boxTexts().size(), 2);
    EXPECT_EQ(readPS(id).text(QStringLiteral("shortdesc")), QString());
    m_prompts.button(MsgAnswer::Yes);
    w->CancelButton->click();

    // Loading and Edit show only the customer message.
    m_prompts.clear();
    w = new frmPS;
    w->SetCustID(m_cust);
    w->Init(id, false);
    EXPECT_EQ(windowTexts(), QStringList{kNoCustomer});
    EXPECT_TRUE(w->txtShortDesc->text().isEmpty());
    m_prompts.clear();
    w->DoEditModeBtn();
    EXPECT_EQ(windowTexts(), QStringList{kNoCustomer});
    EXPECT_FALSE(w->EM->InEditMode());
    w->close();
}

TEST_F(PSTest, DeleteRemovesTheRowAndItsFilesAndTellsTheCustomer)
{
    const qint32 withFiles = addPS(m_cust, m_hardware, QString(), QString());
    const qint32 without = addPS(m_cust, m_hardware, QString(), QString());
    const QString folder = DB().GetAttachmentSubDir(withFiles, QStringLiteral("_ps"));
    ASSERT_TRUE(QDir().mkpath(folder));
    file(QStringLiteral("x.txt"), "x");
    ASSERT_TRUE(QFile::copy(m_temp.file(QStringLiteral("x.txt")), folder + QStringLiteral("/x.txt")));
    frmCustomer* customer = open(m_cust);
    ASSERT_EQ(customer->lvPS->topLevelItemCount(), 2);

    for (qint32 id : {withFiles, without}) {
        frmPS* w = openPS(id);
        ASSERT_NE(w, nullptr);
        w->DoEditModeBtn();
        ASSERT_TRUE(w->cmdDelete->isEnabled());
        m_prompts.clear();
        m_prompts.button(MsgAnswer::Yes);
        w->cmdDelete->click();
        ASSERT_FALSE(m_prompts.shown().isEmpty());
        EXPECT_EQ(m_prompts.shown().first().text,
                  QStringLiteral("Are you sure you want to *DELETE*  'Product/Service: Hardware @10:30:00 AM' and all "
                                 "of its attachments (if any)?"));
        EXPECT_EQ(m_prompts.shown().first().title, QStringLiteral("DELETE Confirmation"));
        EXPECT_FALSE(DB().CheckIfRecExists(DB().Customers2PSTable(), QStringLiteral("bcccust_ps.dbf"), id, true));
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(customer->lvPS->topLevelItemCount(), 0);
    // No empty frame stays behind in the main window.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QMdiSubWindow* frame : m_main.findChildren<QMdiSubWindow*>())
        EXPECT_NE(frame->widget(), nullptr);
    EXPECT_TRUE(windowTexts().isEmpty());
}

TEST_F(PSTest, CaptionCalendarAndListButtons)
{
    frmPS* w = openPS(-1, true);
    ASSERT_NE(w, nullptr);
    w->txtShortDesc->setText(QStringLiteral("Disk"));
    w->SetWindowCaption();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Product/Service: Disk... @10:30:00 AM"));

    QStringList asked;
    QString answer = QStringLiteral("4/1/2024");
    frmPS::calendar() = [&](const QString& initial) {
        asked.append(initial);
        return answer;
    };
    w->cmdCalendar1->click();
    EXPECT_EQ(w->txtDateTerminated->text(), QStringLiteral("4/1/2024"));
    answer.clear();
    w->cmdCalendar0->click();
    EXPECT_EQ(w->txtDateInitiated->text(), QStringLiteral("3/15/2024"));
    EXPECT_EQ(asked, (QStringList{QString(), QStringLiteral("3/15/2024")}));

    // The list editor deletes the shown category meanwhile.
    w->cboPS->setCurrentIndex(0);
    frmPS::listEditor() = [&](qint32 type) {
        EXPECT_EQ(type, 2);
        DB().DeleteRecord(m_hardware, DB().CategoryTable());
    };
    w->cmdCatPS->click();
    EXPECT_EQ(w->cboPS->currentIndex(), -1);
    frmPS::calendar() = nullptr;
    frmPS::listEditor() = nullptr;
    m_prompts.button(MsgAnswer::Yes);
    w->close();
}

TEST_F(PSTest, ACustomLabelWithAnAmpersandShowsAndPrintsAsTyped)
{
    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("bcccust_ps.dbf_custom1"), QStringLiteral("R&D Code")));
    frmPS* w = openPS(-1, true);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->lblCustom1->text(), QStringLiteral("R&&D Code:"));
    EXPECT_TRUE(QKeySequence::mnemonic(w->lblCustom1->text()).isEmpty());
    w->txtCust1->setEditText(QStringLiteral("Lab 4"));
    EXPECT_TRUE(w->FormContent().contains(QStringLiteral("\r\nR&D Code:                   Lab 4\r\n")))
        << w->FormContent().toStdString();
    m_prompts.button(MsgAnswer::Yes);
    w->close();
}

TEST_F(PSTest, TextHasTheFixedLayoutAndGoesToTheCustomerByMail)
{
    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("bcccust_ps.dbf_contno"),
                                   QStringLiteral("A very long contract label xx")));
    frmPS* w = openPS(-1, true);
    ASSERT_NE(w, nullptr);
    w->cboPS->setCurrentIndex(0);
    w->txtShortDesc->setText(QStringLiteral("Disk"));
    w->txtContractNumber->setText(QStringLiteral("C-7"));
    w->txtNote->setPlainText(QStringLiteral("one\ntwo"));
    const QString expected = QStringLiteral(
        "PRODUCT/SERVICE DETAILS\r\n\r\n"
        "Customer Name:              Acme\r\n"
        "Product/Service:            Hardware\r\n"
        "Short Description:          Disk\r\n\r\n"
        "A very long contract label xC-7\r\n"
        "Tracking Number:            \r\n"
        "Contract Type:              \r\n\r\n"
        "Contract Duration:          \r\n"
        "Date Initiated:             3/15/2024\r\n"
        "Date Terminated:             (Active: YES) \r\n\r\n"
        "Custom 1:                   \r\n"
        "Custom 2:                   \r\n\r\n"
        "Notes:\r\n"
        "one\r\ntwo\r\n\r\n"
        "Last Modified By:           \r\n"
        "Last Modified On:           \r\n"
        "Last Modified At:           \r\n\r\n");
    EXPECT_EQ(w->FormContent(), expected);

    QStringList sent;
    frmPS::mailSender() = [&](const QString& to, const QString& subject, const QString& body) {
        sent = {to, subject, body};
        return true;
    };
    w->cmdEmail->click();
    EXPECT_EQ(sent, (QStringList{QStringLiteral("info@acme.test"),
                                 QStringLiteral("<<Verify Email Address and Enter Subject>>"), expected}));
    frmPS::mailSender() = nullptr;
    m_prompts.button(MsgAnswer::Yes);
    w->close();
}

// --- Attachments ---------------------------------------------------------------

class AttachTest : public PSTest {
protected:
    AttachTest()
    {
        m_id = addPS(m_cust, m_hardware, QString(), QString());
        w = openPS(m_id);
        w->DoEditModeBtn();
        a = w->ACtl;
        m_folder = DB().GetAttachmentSubDir(m_id, QStringLiteral("_ps"));
    }
    ~AttachTest() override
    {
        m_prompts.clear();
        m_prompts.button(MsgAnswer::Yes);
        if (w)
            w->close();
    }

    void attach(const QString& path)
    {
        m_prompts.text(path);
        a->cmdAttach->click();
    }
    QStringList names() const
    {
        QStringList list;
        for (int i = 0; i < a->lv->topLevelItemCount(); ++i)
            list.append(a->lv->topLevelItem(i)->text(0));
        return list;
    }
    // The list's order among names that differ only in letter case is not fixed.
    QStringList sortedNames() const
    {
        QStringList list = names();
        list.sort();
        return list;
    }

    qint32 m_id = -1;
    frmPS* w = nullptr;
    AttachmentsCtl* a = nullptr;
    QString m_folder;
};

TEST_F(AttachTest, FirstAttachMakesTheFolderAndSameNameAsksFirst)
{
    EXPECT_TRUE(names().isEmpty());
    EXPECT_TRUE(a->cmdAttach->isEnabled());
    EXPECT_FALSE(a->cmdRemove->isEnabled());
    EXPECT_FALSE(a->cmdSaveAs->isEnabled());
    EXPECT_FALSE(a->cmdView->isEnabled());
    ASSERT_FALSE(QFileInfo::exists(m_folder));

    attach(file(QStringLiteral("a.txt"), "first"));
    attach(file(QStringLiteral("b.txt"), "bee"));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    EXPECT_EQ(SysUI().LvGetSelectedItemText(a->lv), QStringLiteral("b.txt"));
    EXPECT_EQ(m_prompts.shown().last().file.title, QStringLiteral("Open file to attach"));

    // Same name: No keeps the old bytes, Yes replaces them.
    const QString again = file(QStringLiteral("a.txt"), "second");
    m_prompts.clear();
    m_prompts.text(again).button(MsgAnswer::No);
    a->cmdAttach->click();
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral(
                              "a.txt is already attached to this document. Do you want to overwrite existing attachment?")});
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/a.txt")), QByteArray("first"));
    m_prompts.text(again).button(MsgAnswer::Yes);
    a->cmdAttach->click();
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/a.txt")), QByteArray("second"));
    EXPECT_EQ(SysUI().LvGetSelectedItemText(a->lv), QStringLiteral("a.txt"));

    // A source gone meanwhile: the old attachment stays whole.
    QFile::remove(again);
    m_prompts.clear();
    m_prompts.text(again).button(MsgAnswer::Yes);
    a->cmdAttach->click();
    EXPECT_TRUE(m_prompts.last().text.endsWith(QStringLiteral("clsSystem_FileCopyFn"))) << m_prompts.last().text.toStdString();
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/a.txt")), QByteArray("second"));

    // The attachment itself is not copied onto itself.
    m_prompts.clear();
    m_prompts.text(m_folder + QStringLiteral("/./a.txt"));
    a->cmdAttach->click();
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("Source and Destination files are identical!")});
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/a.txt")), QByteArray("second"));
}

TEST_F(AttachTest, SaveAsCopiesOutButNeverOntoItself)
{
    attach(file(QStringLiteral("Report.TXT"), "report"));
    EXPECT_EQ(names(), QStringList{QStringLiteral("Report.TXT")});
    const QString out = m_temp.file(QStringLiteral("out.txt"));
    m_prompts.clear();
    m_prompts.text(out);
    a->cmdSaveAs->click();
    ASSERT_GE(m_prompts.shown().size(), 2);
    EXPECT_EQ(m_prompts.shown().first().file.fileName, QStringLiteral("Copy of Report.TXT"));
    EXPECT_EQ(m_prompts.shown().first().file.title, QStringLiteral("Save Attachment As..."));
    EXPECT_EQ(boxTexts(), QStringList{out + QStringLiteral(" has been saved!")});
    EXPECT_EQ(bytes(out), QByteArray("report"));

    const QString source = m_folder + QStringLiteral("/Report.TXT");
    const QString link = m_temp.file(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(source, link));
    for (const QString& same : {source, link, m_folder + QStringLiteral("/./Report.TXT")}) {
        m_prompts.clear();
        m_prompts.text(same);
        a->cmdSaveAs->click();
        EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("Source and Destination files are identical!")}) << same.toStdString();
        EXPECT_EQ(bytes(source), QByteArray("report")) << same.toStdString();
    }

    // A destination under a plain file fails and reports nothing saved.
    m_prompts.clear();
    m_prompts.text(out + QStringLiteral("/inside.txt"));
    a->cmdSaveAs->click();
    ASSERT_EQ(m_prompts.shown().size(), 2);
    EXPECT_TRUE(m_prompts.last().text.endsWith(QStringLiteral("clsSystem_FileCopyFn"))) << m_prompts.last().text.toStdString();
}

TEST_F(AttachTest, RenameStaysInTheFolderAndNeverReplaces)
{
    attach(file(QStringLiteral("a.txt"), "a"));
    attach(file(QStringLiteral("b.txt"), "b"));
    ASSERT_TRUE(SysUI().LvSelectItemByText(a->lv, QStringLiteral("a.txt")));
    for (const QString& bad :
         {QStringLiteral("../x"), QStringLiteral("a/b"), QString(), QStringLiteral(".."), QStringLiteral("."),
          m_temp.file(QStringLiteral("x")), QString(256, QLatin1Char('n')), QString(128, QChar(0xE9)),
          QStringLiteral("x") + QChar(0) + QStringLiteral("y"), QStringLiteral("x") + QChar(0xDC80)}) {
        m_prompts.clear();
        EXPECT_FALSE(a->RenameSelected(bad)) << bad.toStdString();
        EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("'") + bad + QStringLiteral("' is not a valid file name.")})
            << bad.toStdString();
    }
    EXPECT_EQ(QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));

    // A link that holds a name, even one that leads nowhere, is never
    // written through.
    const QString nowhere = m_temp.file(QStringLiteral("nowhere.txt"));
    ASSERT_TRUE(QFile::link(nowhere, m_folder + QStringLiteral("/l.txt")));
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    EXPECT_FALSE(a->RenameSelected(QStringLiteral("l.txt")));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    EXPECT_EQ(QFileInfo(m_folder + QStringLiteral("/l.txt")).symLinkTarget(), nowhere);
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/a.txt")), QByteArray("a"));
    ASSERT_TRUE(QFile::remove(m_folder + QStringLiteral("/l.txt")));
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    EXPECT_FALSE(a->RenameSelected(QStringLiteral("b.txt")));
    EXPECT_EQ(boxTexts().first(), QStringLiteral("Are you sure you want to rename 'a.txt' to 'b.txt' ?"));
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/a.txt")), QByteArray("a"));
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/b.txt")), QByteArray("b"));
    EXPECT_FALSE(QFileInfo::exists(DB().AttachPath() + QStringLiteral("/x")));

    // An in-place edit renames after Yes; No puts the name back.
    QTreeWidgetItem* item = a->lv->currentItem();
    m_prompts.clear();
    m_prompts.button(MsgAnswer::No);
    item->setText(0, QStringLiteral("c.txt"));
    EXPECT_EQ(item->text(0), QStringLiteral("a.txt"));
    m_prompts.button(MsgAnswer::Yes);
    item->setText(0, QStringLiteral("c.txt"));
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/c.txt")), QByteArray("a"));
    EXPECT_FALSE(QFileInfo::exists(m_folder + QStringLiteral("/a.txt")));

    // Enter ends the edit and renames, without opening the file too.
    w->show();
    w->TabCtl->setCurrentIndex(2);
    a->lv->setFocus();
    ASSERT_TRUE(SysUI().LvSelectItemByText(a->lv, QStringLiteral("c.txt")));
    a->lv->editItem(a->lv->currentItem(), 0);
    auto* editor = a->lv->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("d.txt"));
    m_launched.clear();
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/d.txt")), QByteArray("a"));
    EXPECT_TRUE(m_launched.isEmpty()) << (m_launched.isEmpty() ? std::string() : m_launched.first().join(QLatin1Char(' ')).toStdString());
}

// Hostile names: whatever name a chosen file has, its copy stays a file of
// the record's folder, and nothing there (a link, a folder, a name the
// file system takes for another) is replaced without the question, nor
// written through.
TEST_F(AttachTest, AttachedNamesStayFilesOfTheRecordsFolder)
{
    const QString src = m_temp.file(QStringLiteral("src"));
    ASSERT_TRUE(QDir().mkpath(src + QStringLiteral("/sub")));
    auto put = [](const QString& path, const QByteArray& content) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(content);
    };
    const QString longest = QString(251, QLatin1Char('l')) + QStringLiteral(".txt"); // 255 bytes
    put(src + QStringLiteral("/evil.txt"), "evil");
    put(src + QLatin1Char('/') + longest, "long");
    // A name that is not valid text: what a dialog makes of it is another name.
    const QByteArray raw = QFile::encodeName(src) + "/\xff\xfe.txt";
    const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const QString tooLong = QString(127, QChar(0xE9)) + QStringLiteral(".txt"); // 258 bytes

    const struct {
        QString chosen;
        QString attached;  // the one new file of the record's folder; "" for none
        QString message;   // the one message box; "" for none; "*" and an ending: an error box that ends so
    } cases[] = {
        {src + QStringLiteral("/sub/../evil.txt"), QStringLiteral("evil.txt"), QString()},
        {src + QStringLiteral("/sub/.."), QString(), QStringLiteral("'..' is not a valid file name.")},
        {src + QLatin1Char('/') + longest, longest, QString()},
        {src + QLatin1Char('/') + tooLong, QString(), QStringLiteral("'") + tooLong + QStringLiteral("' is not a valid file name.")},
        {QFile::decodeName(raw), QString(), QStringLiteral("*clsSystem_FileCopyFn")},
        {src + QStringLiteral("/x") + QChar(0xDC80), QString(),
         QStringLiteral("'x") + QChar(0xDC80) + QStringLiteral("' is not a valid file name.")},
    };
    for (const auto& c : cases) {
        const QStringList before = QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        m_prompts.clear();
        attach(c.chosen);
        QStringList added = QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString& name : before)
            added.removeOne(name);
        EXPECT_EQ(added, c.attached.isEmpty() ? QStringList() : QStringList{c.attached}) << c.chosen.toStdString();
        EXPECT_EQ(QDir(DB().AttachPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{QFileInfo(m_folder).fileName()}) << c.chosen.toStdString();
        const QStringList shown = boxTexts();
        if (c.message.isEmpty())
            EXPECT_TRUE(shown.isEmpty()) << c.chosen.toStdString() << ": " << shown.join(QLatin1Char('|')).toStdString();
        else if (c.message.startsWith(QLatin1Char('*')))
            EXPECT_TRUE(shown.size() == 1 && shown.first().endsWith(c.message.mid(1))) << c.chosen.toStdString();
        else
            EXPECT_EQ(shown, QStringList{c.message}) << c.chosen.toStdString();
    }
    EXPECT_EQ(bytes(m_folder + QLatin1Char('/') + longest), QByteArray("long"));

    // What holds a name in the folder: a link to a file outside, a link to
    // nowhere, a folder. Each is the existing attachment the question names;
    // No leaves it, Yes replaces the entry, never what a link leads to.
    const QString victim = m_temp.file(QStringLiteral("victim.txt"));
    put(victim, "victim");
    const QString nowhere = m_temp.file(QStringLiteral("nowhere.txt"));
    ASSERT_TRUE(QFile::link(victim, m_folder + QStringLiteral("/a.txt")));
    ASSERT_TRUE(QFile::link(nowhere, m_folder + QStringLiteral("/b.txt")));
    ASSERT_TRUE(QDir(m_folder).mkdir(QStringLiteral("c.txt")));
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        const QString chosen = src + QLatin1Char('/') + QLatin1String(name);
        put(chosen, "new");
        const QString question = QLatin1String(name)
                                 + QStringLiteral(" is already attached to this document. Do you want to overwrite "
                                                  "existing attachment?");
        m_prompts.clear();
        m_prompts.text(chosen).button(MsgAnswer::No);
        a->cmdAttach->click();
        EXPECT_EQ(boxTexts(), QStringList{question}) << name;
        m_prompts.clear();
        m_prompts.text(chosen).button(MsgAnswer::Yes);
        a->cmdAttach->click();
        EXPECT_EQ(boxTexts().value(0), question) << name;
        EXPECT_EQ(bytes(victim), QByteArray("victim")) << name;
        EXPECT_FALSE(QFileInfo::exists(nowhere)) << name;
    }
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/a.txt")), QByteArray("new"));
    EXPECT_FALSE(QFileInfo(m_folder + QStringLiteral("/a.txt")).isSymLink());
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/b.txt")), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(m_folder + QStringLiteral("/c.txt")).isDir()); // a folder is not replaced by a file
    EXPECT_TRUE(m_prompts.last().text.endsWith(QStringLiteral("clsSystem_FileCopyFn"))) << m_prompts.last().text.toStdString();
}

// The users of a database are accounts of one group: a record's folder and
// the files attached to it are theirs as the attachments folder is, set-
// group-ID bit included, whatever the umask.
TEST_F(AttachTest, RecordFoldersAndAttachedFilesAreSharedLikeTheAttachmentsFolder)
{
    const mode_t umaskBefore = ::umask(022);
    const unsigned group = bmtest::handableGroup();
    const QByteArray attachments = QFile::encodeName(DB().AttachPath());
    ASSERT_EQ(::chown(attachments.constData(), uid_t(-1), gid_t(group)), 0);
    const QString source = file(QStringLiteral("a.txt"), "a");
    for (const unsigned mode : {0775u, 02775u}) {
        ASSERT_EQ(::chmod(attachments.constData(), mode), 0);
        ASSERT_TRUE(QDir(m_folder).removeRecursively());
        attach(source);
        EXPECT_EQ(bmtest::fileAccess(m_folder), bmtest::accessText(mode, group));
        EXPECT_EQ(bmtest::fileAccess(m_folder + QStringLiteral("/a.txt")), bmtest::accessText(0664, group));
    }
    ::umask(umaskBefore);
}

// Letter case makes names different files: each is listed, selected, saved,
// attached and renamed as itself.
TEST_F(AttachTest, NamesThatDifferInLetterCaseAreTwoFiles)
{
    const QString upper = m_temp.file(QStringLiteral("up"));
    ASSERT_TRUE(QDir().mkpath(upper));
    {
        QFile f(upper + QStringLiteral("/Report.pdf"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("upper");
    }
    attach(upper + QStringLiteral("/Report.pdf"));
    m_prompts.clear();
    attach(file(QStringLiteral("report.pdf"), "lower")); // no question: another name
    EXPECT_TRUE(boxTexts().isEmpty()) << boxTexts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(sortedNames(), (QStringList{QStringLiteral("Report.pdf"), QStringLiteral("report.pdf")}));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(a->lv), QStringLiteral("report.pdf"));
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/Report.pdf")), QByteArray("upper"));
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/report.pdf")), QByteArray("lower"));

    // Save As onto the other spelling is a copy, not the file itself.
    ASSERT_TRUE(SysUI().LvSelectItem(a->lv, QStringLiteral("Report.pdf")));
    const QString other = m_folder + QStringLiteral("/REPORT.pdf");
    m_prompts.clear();
    m_prompts.text(other);
    a->cmdSaveAs->click();
    EXPECT_EQ(boxTexts(), QStringList{other + QStringLiteral(" has been saved!")});
    EXPECT_EQ(bytes(other), QByteArray("upper"));

    // A rename that changes only the letter case is a rename; onto the
    // other file's name it is refused.
    a->LoadLV();
    ASSERT_TRUE(SysUI().LvSelectItem(a->lv, QStringLiteral("REPORT.pdf")));
    QTreeWidgetItem* item = a->lv->currentItem();
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    item->setText(0, QStringLiteral("report.pdf"));
    EXPECT_EQ(item->text(0), QStringLiteral("REPORT.pdf"));
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/report.pdf")), QByteArray("lower"));
    m_prompts.button(MsgAnswer::Yes);
    item->setText(0, QStringLiteral("RePort.pdf"));
    EXPECT_EQ(boxTexts().last(), QStringLiteral("Are you sure you want to rename 'REPORT.pdf' to 'RePort.pdf' ?"));
    EXPECT_EQ(bytes(m_folder + QStringLiteral("/RePort.pdf")), QByteArray("upper"));
    EXPECT_FALSE(QFileInfo::exists(other));
    a->LoadLV();
    EXPECT_EQ(sortedNames(),
              (QStringList{QStringLiteral("RePort.pdf"), QStringLiteral("Report.pdf"), QStringLiteral("report.pdf")}));
}

TEST_F(AttachTest, RemoveViewAndViewMode)
{
    attach(file(QStringLiteral("a.txt"), "a"));
    m_prompts.clear();
    m_prompts.button(MsgAnswer::No);
    a->cmdRemove->click();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.shown().first().text,
              QStringLiteral("Are you sure you want to PERMANENTLY DELETE this attachment: 'a.txt' ?"));
    EXPECT_EQ(m_prompts.shown().first().style, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2);
    EXPECT_TRUE(QFileInfo::exists(m_folder + QStringLiteral("/a.txt")));

    m_launched.clear();
    a->cmdView->click();
    ASSERT_EQ(m_launched.size(), 1);
    EXPECT_EQ(m_launched.first(), (QStringList{QStringLiteral("xdg-open"), m_folder + QStringLiteral("/a.txt")}));
    QTest::keyClick(a->lv, Qt::Key_Return);
    EXPECT_EQ(m_launched.size(), 2);

    // View mode: only Save As and View.
    m_prompts.button(MsgAnswer::Yes);
    w->DoEditModeBtn();
    ASSERT_FALSE(w->EM->InEditMode());
    EXPECT_TRUE(a->isEnabled());
    EXPECT_TRUE(a->cmdSaveAs->isEnabled());
    EXPECT_TRUE(a->cmdView->isEnabled());
    EXPECT_FALSE(a->cmdAttach->isEnabled());
    EXPECT_FALSE(a->cmdRemove->isEnabled());
    EXPECT_FALSE(a->RenameSelected(QStringLiteral("z.txt")));
    EXPECT_TRUE(QFileInfo::exists(m_folder + QStringLiteral("/a.txt")));

    w->DoEditModeBtn();
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    a->cmdRemove->click();
    EXPECT_FALSE(QFileInfo::exists(m_folder + QStringLiteral("/a.txt")));
    EXPECT_TRUE(names().isEmpty());
}

} // namespace

namespace {

TEST_F(PSTest, DeleteOfALockedRowKeepsTheWindowAndTheFiles)
{
    const qint32 id = addPS(m_cust, m_hardware, QString(), QString());
    const QString folder = DB().GetAttachmentSubDir(id, QStringLiteral("_ps"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(file(QStringLiteral("x.txt"), "x"), folder + QStringLiteral("/x.txt")));
    frmPS* w = openPS(id);
    ASSERT_NE(w, nullptr);
    w->DoEditModeBtn();
    ASSERT_TRUE(w->EM->InEditMode());
    code4lockDelay(DB().CBEngine(), 5);
    {
        bmtest::LockHolder other(DB().Customers2PSTable(), 1);
        ASSERT_TRUE(other.holding());
        m_prompts.clear();
        m_prompts.button(MsgAnswer::Yes);
        w->cmdDelete->click();
    }
    ASSERT_GE(m_prompts.shown().size(), 2); // the question and the lock message
    EXPECT_TRUE(m_prompts.shown().at(1).text.startsWith(QStringLiteral("RECORD LOCKED: Unable to Delete from ")));
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_TRUE(DB().CheckIfRecExists(DB().Customers2PSTable(), QStringLiteral("bcccust_ps.dbf"), id, true));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/x.txt")));
    m_prompts.button(MsgAnswer::Yes);
    w->close();
}

} // namespace
