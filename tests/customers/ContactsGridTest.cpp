#include "CustomerFixture.h"
#include "WhenModal.h"

#include "app/EditModeCtl.h"
#include "common/ui/WidgetPrompts.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <functional>

namespace {

using bmtest::whenModal;

class ContactsGridTest : public CustomerFixture {
protected:
    // A stored customer's window in edit mode on its contacts tab, the main
    // window active so that the keyboard reaches it.
    frmCustomer* openForEditing()
    {
        m_id = addCustomer({{QStringLiteral("company"), QStringLiteral("Acme")}});
        frmCustomer* w = open(m_id);
        m_main.show();
        m_main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_main));
        w->TabCtl->setCurrentIndex(1);
        w->DoEditModeBtn();
        EXPECT_TRUE(w->EM->InEditMode());
        return w;
    }

    // The cell's editor, opened as a user opens it; null when none opens.
    QLineEdit* editCell(QTableWidget* grid, int row, int column)
    {
        // A box that closed leaves no window active here.
        m_main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_main));
        grid->setFocus();
        grid->setCurrentCell(row, column);
        grid->edit(grid->currentIndex());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return editor && grid->isAncestorOf(editor) ? editor : nullptr;
    }

    static QString cellText(const QTableWidget* grid, int row, int column)
    {
        const QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString();
    }

    qint32 m_id = -1;
};

// Waits for `done`, letting events run, for up to five seconds.
bool waitFor(const std::function<bool()>& done)
{
    for (int waited = 0; waited < 5000 && !done(); waited += 10)
        QTest::qWait(10);
    return done();
}

// The refusal is shown in a real message box, closed with OK as a user
// closes it: the box must not run inside the editor's own key handling,
// since the grid ends that editor while the box is up.
TEST_F(ContactsGridTest, ARefusedKeyOrPasteIsToldInARealBoxAndTheCellKeepsItsText)
{
    frmCustomer* w = openForEditing();
    QTableWidget* grid = w->grdContacts;
    WidgetPrompts widgets;
    PromptService* scripted = setPrompts(&widgets);

    const struct {
        const char* what;
        std::function<void(QLineEdit*)> refused;
    } cases[] = {
        {"typing the thorn",
         [](QLineEdit* editor) {
             QKeyEvent thorn(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x00FE)));
             QApplication::sendEvent(editor, &thorn);
         }},
        {"pasting two lines",
         [](QLineEdit* editor) {
             QGuiApplication::clipboard()->setText(QStringLiteral("Ann\nBob"));
             QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
         }},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QPointer<QLineEdit> editor = editCell(grid, row, 0);
        ASSERT_TRUE(editor);
        QTest::keyClicks(editor, QStringLiteral("Jo"));
        QString told;
        whenModal<QMessageBox>([&told](QMessageBox* box) {
            told = box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        c.refused(editor);
        ASSERT_TRUE(waitFor([&told] { return !told.isEmpty(); }));
        EXPECT_EQ(told, QStringLiteral("A contact entry cannot hold the character \u00FE or a line break."));
        // The editor, if the box left it open, ends as the user leaves it.
        if (editor) {
            EXPECT_EQ(editor->text(), QStringLiteral("Jo"));
            grid->setFocus();
        }
        EXPECT_EQ(cellText(grid, row, 0), QStringLiteral("Jo"));
        ++row;
    }

    // Cancel, and Yes in the discard question: the window goes and its
    // mark with it.
    QPointer<frmCustomer> window = w;
    whenModal<QMessageBox>([](QMessageBox* box) { QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton); });
    QTest::mouseClick(w->CancelButton, Qt::LeftButton);
    setPrompts(scripted);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_EQ(mark(m_id), QStringLiteral("0|"));
}

} // namespace
