#include "tests/support/childprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>

extern char** environ;

namespace zelkor::testsupport {
namespace {

// A pipe whose ends close themselves.
struct Pipe {
    Pipe() {
        if (::pipe2(fds.data(), O_CLOEXEC) != 0) {
            fds = {-1, -1};
        }
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    void CloseRead() {
        if (fds[0] >= 0) {
            ::close(fds[0]);
            fds[0] = -1;
        }
    }
    void CloseWrite() {
        if (fds[1] >= 0) {
            ::close(fds[1]);
            fds[1] = -1;
        }
    }
    std::array<int, 2> fds{};
};

int Spawn(const std::vector<std::string>& argv, Pipe& out, Pipe* err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out.fds[1], STDOUT_FILENO);
    if (err) {
        posix_spawn_file_actions_adddup2(&actions, err->fds[1], STDERR_FILENO);
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = -1;
    const int rc = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int WaitFor(int pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, std::chrono::seconds limit) {
    ProcessResult result;
    Pipe out;
    Pipe err;
    const int pid = Spawn(argv, out, &err);
    out.CloseWrite();
    err.CloseWrite();
    if (pid < 0) {
        return result;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::array<pollfd, 2> fds{{{out.fds[0], POLLIN, 0}, {err.fds[0], POLLIN, 0}}};
    std::array<std::string*, 2> sinks{&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(pid, SIGKILL);
            break;
        }
        if (::poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0) {
            break;
        }
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP)) == 0) {
                continue;
            }
            char buffer[65536];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                fds[i].fd = -1;
                --open;
            } else {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    result.exitCode = WaitFor(pid);
    return result;
}

DemoSiteProcess::DemoSiteProcess() {
    Pipe out;
    pid_ = Spawn({"python3", ZELKOR_SOURCE_DIR "/demo/demosite.py", "--port", "0"}, out, nullptr);
    out.CloseWrite();
    if (pid_ < 0) {
        return;
    }
    // The site prints its address once it listens.
    pollfd fd{out.fds[0], POLLIN, 0};
    std::string line;
    while (line.find('\n') == std::string::npos && ::poll(&fd, 1, 10'000) > 0) {
        char buffer[256];
        const ssize_t n = ::read(out.fds[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        line.append(buffer, static_cast<std::size_t>(n));
    }
    if (const std::size_t end = line.find('\n'); end != std::string::npos) {
        base_ = line.substr(0, end);
    }
}

DemoSiteProcess::~DemoSiteProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        WaitFor(pid_);
    }
}

}  // namespace zelkor::testsupport
