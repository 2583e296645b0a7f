#include "bench/ProgramRun.h"

#include <chrono>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "harness/PtyRun.h"

namespace {
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

[[noreturn]] void execWithStreams(const std::vector<std::string> &argv, int inputFd,
                                  const std::string &outputPath)
{
    ::dup2(inputFd, STDIN_FILENO);
    const int out = ::open(outputPath.empty() ? "/dev/null" : outputPath.c_str(),
                           O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0)
        ::_exit(126);
    ::dup2(out, STDOUT_FILENO);
    execProgram(argv);
}
} // namespace

ProgramRun runProgram(const std::vector<std::string> &argv, const std::string &input,
                      const std::string &outputPath)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return {};
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0)
        execWithStreams(argv, pipeFds[0], outputPath);
    ::close(pipeFds[0]);
    // The input is a key line, far below what a pipe holds, so this cannot block.
    const bool written = ::write(pipeFds[1], input.data(), input.size()) == ssize_t(input.size());
    ::close(pipeFds[1]);
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid)
        return {};
    ProgramRun run;
    run.seconds = secondsSince(start);
    run.ok = written && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakKiB = usage.ru_maxrss;
    return run;
}

ProgramRun runOnTerminal(const std::vector<std::string> &argv, const std::string &passphrase)
{
    const auto start = Clock::now();
    const int status = runWithPassphrase(argv, passphrase);
    ProgramRun run;
    run.seconds = secondsSince(start);
    run.ok = status == 0;
    return run;
}
