#pragma once

#include <functional>
#include <sys/types.h>

// A forked child process that runs a body and talks with the test over two
// pipes, one character at a time. The child keeps none of the parent's open
// files, so it holds only the locks it takes itself. The destructor kills
// the child if it still runs and reaps it.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<void(ChildProcess&)>& body);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void send(char c);
    // The next character from the other side, or 0 after `timeoutMs`.
    char receive(int timeoutMs = 10000);
    void kill();
    // Waits for the child to end; its exit code, or -1.
    int wait();

private:
    pid_t m_pid = -1;
    int m_in = -1;  // what the other side sends
    int m_out = -1; // what this side sends
};
