#include "app/CommandLine.h"
#include "app/Program.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto commandLine = qv::CommandLine::parse(args, error);
    if (!commandLine) {
        std::cerr << "qorvex: " << error << "\n" << qv::CommandLine::usage();
        return 2;
    }
    if (commandLine->help) {
        std::cout << qv::CommandLine::usage();
        return 0;
    }
    qv::Program program(*commandLine);
    return program.run();
}
