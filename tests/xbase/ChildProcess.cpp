#include "ChildProcess.h"

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

ChildProcess::ChildProcess(const std::function<void(ChildProcess&)>& body)
{
    int toChild[2], toParent[2];
    if (::pipe(toChild) != 0 || ::pipe(toParent) != 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0) {
        for (int fd = 3; fd < 1024; ++fd)
            if (fd != toChild[0] && fd != toParent[1])
                ::close(fd);
        m_in = toChild[0];
        m_out = toParent[1];
        body(*this);
        ::_exit(0);
    }
    ::close(toChild[0]);
    ::close(toParent[1]);
    m_in = toParent[0];
    m_out = toChild[1];
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0) {
        kill();
        wait();
    }
    ::close(m_in);
    ::close(m_out);
}

void ChildProcess::send(char c) { (void)!::write(m_out, &c, 1); }

char ChildProcess::receive(int timeoutMs)
{
    pollfd p {m_in, POLLIN, 0};
    char c = 0;
    if (::poll(&p, 1, timeoutMs) == 1 && ::read(m_in, &c, 1) == 1)
        return c;
    return 0;
}

void ChildProcess::kill()
{
    if (m_pid > 0)
        ::kill(m_pid, SIGKILL);
}

int ChildProcess::wait()
{
    if (m_pid <= 0)
        return -1;
    int status = 0;
    const pid_t pid = ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    return pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
