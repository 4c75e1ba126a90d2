#include "AppFixture.h"

#include "app/ProgramWindows.h"
#include "app/WindowCreators.h"

namespace {

using Kind = WindowCreators::Kind;

class ProgramWindowsTest : public AppFixture {
protected:
    ProgramWindowsTest() { registerProgramWindows(); }
    ~ProgramWindowsTest() override { WindowCreators::clear(); }
};

// Every command that opens a window finds it: the program registers a
// window for every kind, and a kind left out is named.
TEST_F(ProgramWindowsTest, EveryKindHasItsWindowInTheProgram)
{
    EXPECT_TRUE(WindowCreators::missing().isEmpty());
    WindowCreators::set(Kind::ReportList, {});
    WindowCreators::set(Kind::Users, {});
    EXPECT_EQ(WindowCreators::missing(), (QList<Kind>{Kind::ReportList, Kind::Users}));
}

} // namespace
