#include <unistd.h>

#include <string>
#include <vector>

#include "cliapplication.h"
#include "localeseparator.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    metrivo::CliApplication app(STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO,
                                metrivo::LocaleSeparator::FromEnvironment());
    return app.Run(args);
}
