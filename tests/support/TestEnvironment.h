#pragma once

#include <cstdlib>

namespace bmtest {

// Points the code under test at the build's program folder and the shared
// fixtures unless the environment already names others, and keeps windows
// off the display (setenv with 0 never overwrites). Called first thing by
// the test mains.
inline void setUpTestEnvironment()
{
    ::setenv("BM_PROGRAM_DIR", BM_TEST_DEFAULT_PROGRAM_DIR, 0);
    ::setenv("BM_SHARED_DIR", BM_TEST_DEFAULT_SHARED_DIR, 0);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

} // namespace bmtest
