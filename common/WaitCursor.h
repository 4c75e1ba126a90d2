#pragma once

#include "common/clsSystem.h"

// The wait cursor for the length of a scope: shown when the object is made,
// taken away when it goes however the scope ends, or earlier by done() (say,
// before a message to the user).
class WaitCursor {
public:
    WaitCursor() { Sys().WaitStart(); }
    ~WaitCursor() { done(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void done()
    {
        if (!m_on)
            return;
        m_on = false;
        Sys().WaitEnd();
    }

private:
    bool m_on = true;
};
