#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace radioprog::testing {

/// A program running beside the test, whose first line of output is read (a device path, say)
/// and which is stopped with SIGTERM at the end.
class BackgroundProcess {
public:
    BackgroundProcess(const std::string& program, const std::vector<std::string>& args) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", 0, 0);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        std::vector<std::string> all{program};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        m_out = pipeFds[0];
    }
    ~BackgroundProcess() {
        Stop();
        if (m_out >= 0) {
            ::close(m_out);
        }
    }

    /// The first line the program printed, without its line break.
    std::string FirstLine() {
        std::string line;
        char c = 0;
        while (m_out >= 0 && ::read(m_out, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    /// Sends SIGTERM and waits; returns the exit code.
    int Stop() {
        if (m_pid <= 0) {
            return m_exitCode;
        }
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return m_exitCode;
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_exitCode = -1;
};

}  // namespace radioprog::testing
