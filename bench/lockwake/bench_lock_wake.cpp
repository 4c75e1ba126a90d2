// How soon a waiting lock goes through once its holder in another process
// lets go. A child process takes record 1's lock, holds it for 1 ms after
// the parent has started waiting, and notes the moment it released; the
// parent notes the moment its lock returned. Prints the median and 90th
// percentile of (through - released) over the rounds, with the engine's
// default lock settings (waits without end).
//
//   bench_lock_wake [--rounds=N]
#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

int64_t nowNanos()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

void sendAll(int fd, const void* p, size_t n)
{
    if (::write(fd, p, n) != ssize_t(n))
        std::exit(3);
}

void receiveAll(int fd, void* p, size_t n)
{
    if (::read(fd, p, n) != ssize_t(n))
        std::exit(3);
}

int fail(const char* what, const xbase::Status& s)
{
    std::fprintf(stderr, "%s: %s\n", what, s.toString().c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 200;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--rounds=", 9) == 0)
            rounds = std::max(1, std::atoi(argv[i] + 9));

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("bm_lockwake_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "t.dbf").string();
    {
        xbase::Engine engine;
        xbase::Table* t = nullptr;
        xbase::TableDefinition def;
        xbase::FieldDescriptor name;
        name.name = "NAME";
        name.length = 10;
        def.fields.push_back(name);
        if (auto s = engine.createTable(file, def, &t); !s.isOk())
            return fail("create", s);
        if (auto s = t->appendStart(); !s.isOk() || !(s = t->append()).isOk())
            return fail("append", s);
    }

    int toChild[2], toParent[2];
    if (::pipe(toChild) != 0 || ::pipe(toParent) != 0)
        return 1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        xbase::Engine engine;
        xbase::Table* t = nullptr;
        if (!engine.openTable(file, &t).isOk())
            ::_exit(1);
        for (int r = 0; r < rounds; ++r) {
            if (!t->lock(1).isOk())
                ::_exit(2);
            char c = 'L';
            sendAll(toParent[1], &c, 1);
            receiveAll(toChild[0], &c, 1); // the parent is about to wait
            ::usleep(1000);
            (void)t->unlock();
            const int64_t released = nowNanos();
            sendAll(toParent[1], &released, sizeof released);
            receiveAll(toChild[0], &c, 1); // the parent let go again
        }
        ::_exit(0);
    }

    xbase::Engine engine;
    xbase::Table* t = nullptr;
    if (auto s = engine.openTable(file, &t); !s.isOk())
        return fail("open", s);
    std::vector<double> micros;
    for (int r = 0; r < rounds; ++r) {
        char c = 0;
        receiveAll(toParent[0], &c, 1);
        c = 'W';
        sendAll(toChild[1], &c, 1);
        if (auto s = t->lock(1); !s.isOk())
            return fail("lock", s);
        const int64_t through = nowNanos();
        int64_t released = 0;
        receiveAll(toParent[0], &released, sizeof released);
        micros.push_back(double(through - released) / 1000.0);
        (void)t->unlock();
        sendAll(toChild[1], &c, 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    (void)engine.closeAll();
    std::filesystem::remove_all(dir);

    std::sort(micros.begin(), micros.end());
    std::printf("lock wake-up: holder in another process releases 1 ms after the waiter starts; "
                "engine defaults (lock attempts -1); %d rounds\n", rounds);
    std::printf("  through after release: median %.1f us, 90th percentile %.1f us, max %.1f us\n",
                micros[micros.size() / 2], micros[micros.size() * 9 / 10], micros.back());
    return 0;
}
