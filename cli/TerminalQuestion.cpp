#include "cli/TerminalQuestion.h"

#include <fcntl.h>
#include <unistd.h>

bool canAskOnTerminal() { return ::isatty(STDIN_FILENO); }

bool askYesOnTerminal(const QString &question)
{
    const int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const QByteArray prompt = question.toUtf8();
    (void)!::write(fd, prompt.constData(), size_t(prompt.size()));
    // The whole line is read, however long, so that nothing of it is left to answer the next
    // question or to become the key; only its start is kept.
    QByteArray answer;
    char c;
    while (::read(fd, &c, 1) == 1 && c != '\n')
        if (answer.size() < 16)
            answer += c;
    ::close(fd);
    const QByteArray word = answer.trimmed().toLower();
    return word == "y" || word == "yes";
}
