#include "cli/KeyInput.h"

#include <QFile>
#include <QStringDecoder>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr qint64 maxKeyBytes = 64 * 1024;

KeyResult refused(const QString &why) { return {std::nullopt, why}; }

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

// Reads one line from the terminal with echo off; nullopt on end of input.
std::optional<QByteArray> readHiddenLine(int fd, const char *prompt)
{
    // Echo goes off before the prompt appears, so nothing typed after it is ever shown.
    termios quiet = savedTerminal;
    quiet.c_lflag &= ~tcflag_t(ECHO);
    quiet.c_lflag |= ECHONL;
    ::tcsetattr(fd, TCSANOW, &quiet);
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
    if (raw.endsWith('\n'))
        raw.chop(1);
    if (raw.isEmpty())
        return refused(QStringLiteral("empty key refused"));
    // Stateless: a sequence cut off at the end is an error, not bytes held back for later.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString key = decoder(raw);
    if (decoder.hasError())
        return refused(QStringLiteral("the key is not valid UTF-8 text"));
    return {key, {}};
}

KeyResult readKeyFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return refused(QStringLiteral("key file not found: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.read(maxKeyBytes + 1);
    if (bytes.size() > maxKeyBytes)
        return refused(QStringLiteral("key file too large: %1").arg(path));
    return keyFromBytes(bytes);
}

KeyResult readKeyStdin()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return refused(QStringLiteral("cannot read standard input"));
    const QByteArray bytes = in.read(maxKeyBytes + 1);
    if (bytes.size() > maxKeyBytes)
        return refused(QStringLiteral("key on standard input too large"));
    return keyFromBytes(bytes);
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
    const auto oldInt = std::signal(SIGINT, restoreAndDie);
    const auto oldTerm = std::signal(SIGTERM, restoreAndDie);
    KeyResult result;
    const auto first = readHiddenLine(fd, "Key: ");
    const auto second = first && confirm ? readHiddenLine(fd, "Repeat key: ") : first;
    if (!first || !second)
        result = refused(QStringLiteral("no key entered"));
    else if (*first != *second)
        result = refused(QStringLiteral("the two keys differ"));
    else
        result = keyFromBytes(*first);
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    terminalFd = -1;
    ::close(fd);
    return result;
}
