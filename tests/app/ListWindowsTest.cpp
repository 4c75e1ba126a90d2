#include "AppFixture.h"

#include "app/ListWindow.h"
#include "customers/frmCustomerList.h"
#include "issues/frmIssueList.h"
#include "issues/frmMyIssues.h"

#include <QComboBox>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTreeView>

#include <functional>
#include <memory>

namespace {

// One list window and its bar as the user sees it: the buttons from left to
// right ("objectName caption") and the controls the Tab key visits in turn.
struct ListCase {
    const char* window;
    std::function<ListWindow*()> make;
    QStringList buttons;
    std::function<QList<QWidget*>(ListWindow*)> tabStops;
};

QStringList barButtons(const ListWindow* w)
{
    QStringList shown;
    const QLayout* bar = w->BtnBar->layout();
    for (int i = 0; i < bar->count(); ++i) {
        if (const auto* b = qobject_cast<const QPushButton*>(bar->itemAt(i)->widget()))
            shown.append(b->objectName() + QLatin1Char(' ') + b->text());
    }
    return shown;
}

// Of `chain`, the controls that follow each one in the Tab order.
QList<QWidget*> tabWalk(const QList<QWidget*>& chain)
{
    QList<QWidget*> walk{chain.first()};
    for (QWidget* next = chain.first()->nextInFocusChain(); next != chain.first() && walk.size() < chain.size();
         next = next->nextInFocusChain()) {
        if (chain.contains(next) && !walk.contains(next))
            walk.append(next);
    }
    return walk;
}

QList<QWidget*> listAndBar(ListWindow* w, std::initializer_list<QPushButton*> buttons)
{
    QList<QWidget*> stops{w->lv};
    for (QPushButton* b : buttons)
        stops.append(b);
    return stops;
}

class ListWindowsTest : public AppFixture {
protected:
    ListWindowsTest() { openNewDatabase(); }
};

TEST_F(ListWindowsTest, EachListShowsItsBarInItsOwnOrder)
{
    const QStringList issueOrder{QStringLiteral("cmdRefresh R&efresh"), QStringLiteral("cmdProperties &Properties"),
                                 QStringLiteral("cmdPrint Print"), QStringLiteral("CancelButton Cancel")};
    const auto issueStops = [](ListWindow* w) {
        return listAndBar(w, {w->cmdRefresh, w->cmdProperties, w->cmdPrint, w->CancelButton});
    };
    const ListCase cases[] = {
        {"customer list", [] { return new frmCustomerList; },
         {QStringLiteral("cmdProperties &Properties"), QStringLiteral("cmdPrint Print"),
          QStringLiteral("cmdRefresh R&efresh"), QStringLiteral("CancelButton Cancel")},
         [](ListWindow* w) { return listAndBar(w, {w->cmdProperties, w->cmdPrint, w->cmdRefresh, w->CancelButton}); }},
        {"issue list", [] { return new frmIssueList; }, issueOrder, issueStops},
        {"My Issues", [] { return new frmMyIssues; }, issueOrder,
         [&issueStops](ListWindow* w) {
             auto* my = static_cast<frmMyIssues*>(w);
             return QList<QWidget*>{my->cboAssignedTo, my->cboStatus, my->ckAutoRefresh} + issueStops(w);
         }},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.window);
        std::unique_ptr<ListWindow> w(c.make());
        EXPECT_EQ(barButtons(w.get()), c.buttons);
        EXPECT_EQ(w->lblMsg->text(), QStringLiteral("Click a column header to sort results by that column's data"));
        EXPECT_EQ(w->lv->objectName(), QStringLiteral("lv"));
        EXPECT_EQ(w->BtnBar->objectName(), QStringLiteral("BtnBar"));
        const QList<QWidget*> stops = c.tabStops(w.get());
        EXPECT_EQ(tabWalk(stops), stops);
    }
}

} // namespace
