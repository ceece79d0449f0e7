#include <iostream>
#include <string>
#include <vector>

#include "cliapplication.h"
#include "localeseparator.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // Results are flushed by the batch loop itself, only before a read that
    // may wait; a tied stream would flush after every line.
    std::cin.tie(nullptr);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    metrivo::CliApplication app(std::cin, std::cout, std::cerr,
                                metrivo::LocaleSeparator::FromEnvironment());
    return app.Run(args);
}
