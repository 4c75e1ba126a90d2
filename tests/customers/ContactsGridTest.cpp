#include "CustomerFixture.h"
#include "WhenModal.h"

#include "app/EditModeCtl.h"
#include "common/ui/WidgetPrompts.h"
#include "common/ui/clsSystemUI.h"

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
#include <QTreeWidget>

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
        m_main.SetUI();
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

    // Gives `view` the focus on the cell at `index` with no editor open.
    void focusCell(QAbstractItemView* view, const QModelIndex& index)
    {
        m_main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_main));
        view->setFocus();
        view->setCurrentIndex(index);
        if (QApplication::focusWidget() != view)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(QApplication::focusWidget(), view);
    }

    // Closes the New Customer window when one is open; whether there was.
    bool closeNewCustomer()
    {
        QWidget* window = nullptr;
        if (!SysUI().GetFormWithTag(QStringLiteral("C-1"), window))
            return false;
        m_prompts.button(MsgAnswer::Yes);
        m_main.closeForm(window);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return true;
    }

    static QString cellText(const QTableWidget* grid, int row, int column)
    {
        const QTableWidgetItem* item = grid->item(row, column);
        return item ? item->text() : QString();
    }

    qint32 m_id = -1;
};

// The program's own message boxes in place of the scripted answers, for as
// long as it lives.
struct RealBoxes {
    WidgetPrompts widgets;
    PromptService* previous = setPrompts(&widgets);
    ~RealBoxes() { setPrompts(previous); }
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
    RealBoxes boxes;

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
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
    EXPECT_EQ(mark(m_id), QStringLiteral("0|"));
}

// F2 is New Customer in the main window, but in an item view whose current
// cell opens on F2 it edits that cell, as Qt's views do, and the typing
// after it goes into the cell.
TEST_F(ContactsGridTest, F2EditsTheCurrentCellWhereTheViewEditsItElseItIsNewCustomer)
{
    frmCustomer* w = openForEditing();
    auto* plain = new QTreeWidget;
    plain->setColumnCount(1);
    auto* editable = new QTreeWidgetItem(plain, {QStringLiteral("one")});
    editable->setFlags(editable->flags() | Qt::ItemIsEditable);
    new QTreeWidgetItem(plain, {QStringLiteral("two")});
    m_main.addMdiChild(plain);
    QTableWidget* grid = w->grdContacts;

    const struct {
        const char* what;
        QAbstractItemView* view;
        std::function<QModelIndex()> cell;
        bool viewMode;
        QString edited; // empty: New Customer opens instead
    } cases[] = {
        {"contacts grid in edit mode", grid, [grid] { return grid->model()->index(1, 0); }, false,
         QStringLiteral("Ann")},
        {"editable row of a list", plain, [plain] { return plain->model()->index(0, 0); }, false,
         QStringLiteral("Ann")},
        {"fixed row of a list", plain, [plain] { return plain->model()->index(1, 0); }, false, QString()},
        {"contacts grid in view mode", grid, [grid] { return grid->model()->index(1, 0); }, true, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.viewMode && w->EM->InEditMode()) {
            m_prompts.button(MsgAnswer::Yes);
            w->DoEditModeBtn();
            ASSERT_FALSE(w->EM->InEditMode());
        }
        m_main.activateForm(c.view == grid ? static_cast<QWidget*>(w) : plain);
        const QModelIndex cell = c.cell();
        focusCell(c.view, cell);
        QTest::keyClick(c.view, Qt::Key_F2);
        if (c.edited.isEmpty()) {
            EXPECT_TRUE(closeNewCustomer());
            continue;
        }
        // A second F2 in the cell's editor leaves it open too.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        EXPECT_FALSE(closeNewCustomer());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_TRUE(editor && c.view->isAncestorOf(editor));
        editor->selectAll();
        QTest::keyClicks(editor, c.edited);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits after the key
        EXPECT_EQ(cell.data().toString(), c.edited);
    }
}

} // namespace
