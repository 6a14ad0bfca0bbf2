#include <iostream>
#include <string>
#include <vector>

#include "driver.h"

int main(int argc, char** argv) {
    InstallSignalHandlers();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return RunDotpress(args, std::cout, std::cerr);
}
