#include "cli/KeyInput.h"

#include <QStringDecoder>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <termios.h>
#include <unistd.h>

#include "cli/PathText.h"

namespace {
constexpr qint64 maxKeyBytes = 64 * 1024;

KeyResult refused(const QString &why) { return {std::nullopt, why}; }

KeyResult refusedBySystem(const QByteArray &path, int error)
{
    return refused(QStringLiteral("%1: %2").arg(printable(path),
                                                QString::fromLocal8Bit(std::strerror(error))));
}

// The terminal's settings while echo is off, so that a signal can put them back.
int terminalFd = -1;
termios savedTerminal;

// TCSANOW everywhere: flushing would throw away a key typed ahead of the prompt.
void restoreTerminal()
{
    if (terminalFd >= 0)
        ::tcsetattr(terminalFd, TCSANOW, &savedTerminal);
}

void restoreAndDie(int signal)
{
    restoreTerminal();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Turns echo off; false when the terminal did not take it (tcsetattr succeeds when any of the
// changes took, so the settings are read back).
bool hideEcho(int fd)
{
    termios quiet = savedTerminal;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    quiet.c_lflag |= ECHONL;
    termios now;
    return ::tcsetattr(fd, TCSANOW, &quiet) == 0 && ::tcgetattr(fd, &now) == 0 &&
           (now.c_lflag & ECHO) == 0;
}

// Reads one line from the terminal with echo off; nullopt on end of input or when echo cannot
// be turned off (`echoStayedOn` then true).
std::optional<QByteArray> readHiddenLine(int fd, const char *prompt, bool &echoStayedOn)
{
    // Echo goes off before the prompt appears, so nothing typed after it is ever shown.
    echoStayedOn = !hideEcho(fd);
    if (echoStayedOn) {
        restoreTerminal();
        return std::nullopt;
    }
    (void)!::write(fd, prompt, std::strlen(prompt));
    QByteArray line;
    char c;
    bool ended = true;
    while (::read(fd, &c, 1) == 1) {
        if (c == '\n') {
            ended = false;
            break;
        }
        if (line.size() < maxKeyBytes)
            line += c;
    }
    restoreTerminal();
    if (ended)
        return std::nullopt;
    return line;
}
} // namespace

KeyResult keyFromBytes(const QByteArray &bytes)
{
    QByteArray raw = bytes;
    if (raw.endsWith("\r\n"))
        raw.chop(2);
    else if (raw.endsWith('\n'))
        raw.chop(1);
    if (raw.isEmpty())
        return refused(QStringLiteral("empty key refused"));
    // Stateless: a sequence cut off at the end is an error, not bytes held back for later.
    // A leading byte order mark is a character of the key like any other.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    const QString key = decoder(raw);
    if (decoder.hasError())
        return refused(QStringLiteral("the key is not valid UTF-8 text"));
    return {key, {}};
}

// Up to maxKeyBytes + 1 bytes of `fd`, so that a larger key can be refused; nullopt on error.
std::optional<QByteArray> readKeyBytes(int fd)
{
    QByteArray bytes;
    char buffer[4096];
    while (bytes.size() <= maxKeyBytes) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    return bytes;
}

KeyResult readKeyFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT
                   ? refused(QStringLiteral("key file not found: %1").arg(printable(path)))
                   : refusedBySystem(path, errno);
    const auto bytes = readKeyBytes(fd);
    const int error = errno;
    ::close(fd);
    if (!bytes)
        return refusedBySystem(path, error);
    if (bytes->size() > maxKeyBytes)
        return refused(QStringLiteral("key file too large: %1").arg(printable(path)));
    return keyFromBytes(*bytes);
}

KeyResult readKeyStdin(bool confirm)
{
    // A key typed on a terminal is never shown.
    if (::isatty(STDIN_FILENO))
        return askKeyOnTerminal(confirm);
    const auto bytes = readKeyBytes(STDIN_FILENO);
    if (!bytes)
        return refused(QStringLiteral("cannot read standard input"));
    if (bytes->size() > maxKeyBytes)
        return refused(QStringLiteral("key on standard input too large"));
    return keyFromBytes(*bytes);
}

KeyResult askKeyOnTerminal(bool confirm)
{
    const int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (fd < 0 || ::tcgetattr(fd, &savedTerminal) != 0) {
        if (fd >= 0)
            ::close(fd);
        return refused(
            QStringLiteral("no terminal to ask for the key: use --key-file or --key-stdin"));
    }
    terminalFd = fd;
    // Every signal that ends the program from the terminal or by default puts echo back.
    constexpr int endingSignals[] = {SIGINT, SIGTERM, SIGQUIT, SIGHUP};
    sighandler_t oldHandlers[std::size(endingSignals)];
    for (std::size_t i = 0; i < std::size(endingSignals); ++i)
        oldHandlers[i] = std::signal(endingSignals[i], restoreAndDie);
    KeyResult result;
    bool echoStayedOn = false;
    const auto first = readHiddenLine(fd, "Key: ", echoStayedOn);
    const auto second = first && confirm ? readHiddenLine(fd, "Repeat key: ", echoStayedOn) : first;
    if (echoStayedOn)
        result = refused(QStringLiteral("the terminal would not turn echo off; the key is not "
                                        "asked (use --key-file or --key-stdin)"));
    else if (!first || !second)
        result = refused(QStringLiteral("no key entered"));
    else if (*first != *second)
        result = refused(QStringLiteral("the two keys differ"));
    else
        result = keyFromBytes(*first);
    for (std::size_t i = 0; i < std::size(endingSignals); ++i)
        std::signal(endingSignals[i], oldHandlers[i]);
    terminalFd = -1;
    ::close(fd);
    return result;
}
