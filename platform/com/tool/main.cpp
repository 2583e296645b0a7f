// regsvr: registers or unregisters a component library for the current user.
#include "platform/com/tool/RegSvr.h"

#include <iostream>

int main(int argc, char **argv)
{
    return runRegSvr(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
