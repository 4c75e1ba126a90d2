#include "AppFixture.h"

#include "app/TabbedRecordWindow.h"
#include "customers/frmPS.h"
#include "issues/frmIssue.h"
#include "issues/frmIssueTemplate.h"

#include <QTabWidget>
#include <QTest>

#include <functional>
#include <memory>

namespace {

class TabbedRecordWindowsTest : public AppFixture {
protected:
    TabbedRecordWindowsTest() { openNewDatabase(); }
};

// The product/service, issue and issue template windows: the tabs fill the
// window down to the button bar, which spans the bottom; a window lower than
// the bar keeps the bar at the top and no room for the tabs. The first size
// holds both.
TEST_F(TabbedRecordWindowsTest, TheTabsFillTheWindowAboveTheBar)
{
    const std::pair<const char*, std::function<TabbedRecordWindow*()>> windows[] = {
        {"product/service", [] { return new frmPS; }},
        {"issue", [] { return new frmIssue; }},
        {"issue template", [] { return new frmIssueTemplate; }},
    };
    const QSize sizes[] = {{640, 480}, {900, 300}, {400, 10}};
    for (const auto& [name, make] : windows) {
        SCOPED_TRACE(name);
        std::unique_ptr<TabbedRecordWindow> w(make());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        const QSize first = w->sizeHint();
        EXPECT_GE(first.height(), w->TabCtl->sizeHint().height() + w->BtnBar->sizeHint().height());
        EXPECT_GE(first.width(), std::max(w->TabCtl->sizeHint().width(), w->BtnBar->sizeHint().width()));
        w->show();
        for (const QSize& size : sizes) {
            SCOPED_TRACE(size.height());
            w->resize(size);
            const int bar = w->BtnBar->sizeHint().height();
            const int above = std::max(0, size.height() - bar);
            EXPECT_EQ(w->TabCtl->geometry(), QRect(0, 0, size.width(), above));
            EXPECT_EQ(w->BtnBar->geometry(), QRect(0, above, size.width(), bar));
        }
        w->hide();
    }
}

} // namespace
