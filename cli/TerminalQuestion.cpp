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
    QByteArray answer;
    char c;
    while (answer.size() < 16 && ::read(fd, &c, 1) == 1 && c != '\n')
        answer += c;
    ::close(fd);
    const QByteArray word = answer.trimmed().toLower();
    return word == "y" || word == "yes";
}
