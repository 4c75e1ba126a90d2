#include "common/ui/YieldPacer.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <gtest/gtest.h>

namespace {

// Posts a call that counts itself once the event loop serves it.
void post(int* served)
{
    QMetaObject::invokeMethod(qApp, [served] { ++*served; }, Qt::QueuedConnection);
}

TEST(YieldPacer, ServesEventsAtTheFirstAskAndThenOnlyOnceTheIntervalHasPassed)
{
    int served = 0;
    // An hour apart: no later ask in this test falls due.
    YieldPacer pacer(60 * 60 * 1000);
    post(&served);
    EXPECT_TRUE(pacer.yieldIfDue());
    EXPECT_EQ(served, 1);
    post(&served);
    EXPECT_FALSE(pacer.yieldIfDue());
    EXPECT_EQ(served, 1);
    pacer.yieldNow();
    EXPECT_EQ(served, 2);
    // Serving now started the interval again.
    post(&served);
    EXPECT_FALSE(pacer.yieldIfDue());
    EXPECT_EQ(served, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(served, 3);
}

TEST(YieldPacer, WithoutAnIntervalEveryAskServesEvents)
{
    int served = 0;
    YieldPacer pacer(0);
    for (int ask = 1; ask <= 3; ++ask) {
        post(&served);
        EXPECT_TRUE(pacer.yieldIfDue());
        EXPECT_EQ(served, ask);
    }
}

} // namespace
