#include "harness/PtyRun.h"

#include <cerrno>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

void execProgram(const std::vector<std::string> &argv)
{
    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

int runWithPassphrase(const std::vector<std::string> &argv, const std::string &passphrase,
                      std::string *transcript, const std::string &promptMarker)
{
    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    if (pid < 0)
        return -1;
    if (pid == 0)
        execProgram(argv);
    std::string output;
    std::size_t answeredUpTo = 0;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // EIO once the program has closed the terminal
        output.append(buffer, std::size_t(n));
        const std::size_t prompt = output.find(promptMarker, answeredUpTo);
        if (prompt != std::string::npos && output.find(':', prompt) != std::string::npos) {
            answeredUpTo = output.find(':', prompt) + 1;
            const std::string line = passphrase + "\n";
            (void)!::write(master, line.data(), line.size());
        }
    }
    ::close(master);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (transcript)
        *transcript = output;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
