// ecx at a real terminal: echo comes back however the program is ended at the key prompt, a
// long answer is never taken for the key, and a terminal that keeps echo on is not trusted.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include "cli/KeyInput.h"
#include "harness/PtyRun.h"
#include "tests/cli/EcxProgramFixture.h"

namespace {

bool failTerminalSettings = false;

// A program on a terminal of its own, driven as a person would.
class TerminalRun {
public:
    explicit TerminalRun(const std::vector<std::string> &argv)
    {
        if (::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(m_master);
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            ::login_tty(m_slave);
            execProgram(argv);
        }
    }
    ~TerminalRun()
    {
        if (m_pid > 0)
            finish();
        ::close(m_master);
        ::close(m_slave);
    }

    // Reads until `text` has been shown; false after ten seconds without it.
    bool waitFor(const std::string &text)
    {
        const std::size_t from = m_seenUpTo;
        while (m_output.find(text, from) == std::string::npos) {
            pollfd p{m_master, POLLIN, 0};
            char buffer[512];
            const ssize_t n =
                ::poll(&p, 1, 10000) == 1 ? ::read(m_master, buffer, sizeof buffer) : -1;
            if (n <= 0)
                return false;
            m_output.append(buffer, std::size_t(n));
        }
        m_seenUpTo = m_output.find(text, from) + text.size();
        return true;
    }
    void type(const std::string &line) { (void)!::write(m_master, line.data(), line.size()); }
    bool echoes() const
    {
        termios now;
        return ::tcgetattr(m_slave, &now) == 0 && (now.c_lflag & ECHO) != 0;
    }
    void signal(int number) const { ::kill(m_pid, number); }
    // The exit status, or 128 + the signal that ended the program.
    int finish()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    const std::string &output() const { return m_output; }

private:
    int m_master = -1, m_slave = -1;
    pid_t m_pid = -1;
    std::string m_output;
    std::size_t m_seenUpTo = 0;
};

} // namespace

// Lets a test make the terminal refuse every change of its settings.
extern "C" int tcsetattr(int fd, int when, const termios *settings)
{
    using Real = int (*)(int, int, const termios *);
    static const auto real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "tcsetattr"));
    if (failTerminalSettings)
        return errno = EIO, -1;
    return real(fd, when, settings);
}

TEST_F(EcxProgram, EchoComesBackWhicheverSignalEndsTheKeyPrompt)
{
    for (const int number : {SIGINT, SIGTERM, SIGQUIT, SIGHUP}) {
        TerminalRun run({EC_ECX_PROGRAM, "encrypt", path("plain.txt").toStdString()});
        ASSERT_TRUE(run.waitFor("Key: ")) << run.output();
        EXPECT_FALSE(run.echoes());
        run.signal(number);
        EXPECT_EQ(run.finish(), 128 + number);
        EXPECT_TRUE(run.echoes()) << strsignal(number) << " left the terminal without echo";
    }
}

TEST_F(EcxProgram, ALongAnswerToReplaceIsReadWholeAndNeverBecomesTheKey)
{
    write("plain.txt.ECX", "newer work");
    write("other.txt", "other plan\n");
    TerminalRun run({EC_ECX_PROGRAM, "encrypt", "--work-factor", "10",
                     path("plain.txt").toStdString(), path("other.txt").toStdString()});
    ASSERT_TRUE(run.waitFor("Replace it? [y/N]: ")) << run.output();
    run.type("no, keep the newer one please\n");
    for (const char *prompt : {"Key: ", "Repeat key: "}) {
        ASSERT_TRUE(run.waitFor(prompt)) << run.output();
        run.type("hunter2\n");
    }
    EXPECT_EQ(run.finish(), 1) << run.output();
    EXPECT_EQ(read("plain.txt.ECX"), "newer work");
    ASSERT_EQ(ecx({"decrypt", "other.txt.ECX", "-o", "back", "--key-file", "key"}).status, 0)
        << run.output();
    EXPECT_EQ(read("back"), "other plan\n");
}

TEST(KeyPrompt, IsRefusedWhenTheTerminalKeepsEchoOn)
{
    int master = -1, slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    (void)!::write(master, "hunter2\n", 8);
    const pid_t child = ::fork();
    if (child == 0) {
        ::login_tty(slave);
        failTerminalSettings = true;
        const KeyResult result = askKeyOnTerminal(false);
        std::_Exit(!result.key && result.error.contains("echo") ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the key was read with echo on";
    ::close(master);
    ::close(slave);
}
