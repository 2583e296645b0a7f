// reg: looks at and repairs the registry store from the command line.
#include "platform/registry/tool/RegArguments.h"
#include "platform/registry/tool/RegTool.h"

#include <iostream>
#include <string>
#include <unistd.h>

namespace {

// Asks on the terminal until the answer is yes or no; no terminal, no answer.
std::optional<bool> askOnTerminal(const std::string &question)
{
    if (isatty(STDIN_FILENO) == 0)
        return std::nullopt;
    for (;;) {
        std::cout << question << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer))
            return false;
        for (char &c : answer)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (answer == "y" || answer == "yes")
            return true;
        if (answer == "n" || answer == "no")
            return false;
    }
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    const RegParseResult parsed = parseRegArguments(words);
    if (!parsed.arguments) {
        std::cerr << parsed.error << "\n";
        return 1;
    }
    return runReg(*parsed.arguments, std::cout, std::cerr, askOnTerminal);
}
