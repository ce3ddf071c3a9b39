#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_dir.h"

extern char** environ;

namespace radioprog::testing {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// The argument and environment vectors of a program to start: @p program and @p args, and the
/// extra environment entries ("NAME=value") in front of this process's own.
class SpawnVectors {
public:
    SpawnVectors(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& extraEnvironment)
        : m_args{program}, m_environment(extraEnvironment) {
        m_args.insert(m_args.end(), args.begin(), args.end());
        // getenv takes the first of equal names, so the extra entries go first.
        for (char** e = environ; *e != nullptr; ++e) {
            m_environment.emplace_back(*e);
        }
        for (auto& a : m_args) {
            m_argv.push_back(a.data());
        }
        m_argv.push_back(nullptr);
        for (auto& e : m_environment) {
            m_envp.push_back(e.data());
        }
        m_envp.push_back(nullptr);
    }
    SpawnVectors(const SpawnVectors&) = delete;
    SpawnVectors& operator=(const SpawnVectors&) = delete;

    char* const* argv() { return m_argv.data(); }
    char* const* envp() { return m_envp.data(); }

private:
    std::vector<std::string> m_args;
    std::vector<std::string> m_environment;
    std::vector<char*> m_argv;
    std::vector<char*> m_envp;
};

/// Runs @p program with @p args and extra environment entries ("NAME=value"), no standard
/// input, and collects its exit code and both output streams.
inline ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                                const std::vector<std::string>& extraEnvironment = {}) {
    TempDir capture;
    const auto outPath = capture / "out";
    const auto errPath = capture / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    SpawnVectors vectors(program, args, extraEnvironment);
    ProcessResult result;
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, vectors.argv(), vectors.envp());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        result.err = "cannot start " + program;
        return result;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadText(outPath);
    result.err = ReadText(errPath);
    return result;
}

/// Starts @p program like `RunProcess`, all its standard streams on /dev/null, and does not wait
/// for it: the process id, or -1 when it could not start.
inline pid_t StartProcess(const std::string& program, const std::vector<std::string>& args,
                          const std::vector<std::string>& extraEnvironment = {}) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int fd : {0, 1, 2}) {
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_RDWR, 0);
    }
    SpawnVectors vectors(program, args, extraEnvironment);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, vectors.argv(), vectors.envp()) !=
        0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

}  // namespace radioprog::testing
