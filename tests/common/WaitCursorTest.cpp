#include "common/ScriptedPrompts.h"
#include "common/WaitCursor.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(WaitCursor, ShownForTheScopeAndGoneHoweverTheScopeEnds)
{
    ScriptedPrompts prompts;
    {
        const WaitCursor busy;
        EXPECT_TRUE(prompts.waitCursor());
    }
    EXPECT_FALSE(prompts.waitCursor());

    // Taken away early (before a message), it stays away at the scope's end.
    {
        WaitCursor busy;
        busy.done();
        EXPECT_FALSE(prompts.waitCursor());
        Sys().WaitStart();  // another's wait is not ended a second time
    }
    EXPECT_TRUE(prompts.waitCursor());
    Sys().WaitEnd();

    try {
        const WaitCursor busy;
        throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
        EXPECT_FALSE(prompts.waitCursor());
    }
}

} // namespace
