// lorvane-cli: converts documents with the tables of a program folder, without any window.
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "platform/code_page.h"
#include "platform/paths.h"
#include "platform/special_folders.h"
#include "platform/text.h"

int main(int argc, char** argv) {
    using namespace lorvane;
    // Past a file-size limit a write then fails like one on a full disk, and the result being
    // written is removed, instead of the program ending with the temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    auto options = cli::parseArguments(arguments);
    if (!options) {
        std::cerr << "lorvane-cli: " << toUtf8(options.failure().description) << '\n';
        return cli::kExitUsage;
    }
    cli::CliEnvironment environment;
    environment.defaultHome = locateProgramFolder();
    environment.defaultCodePage = CodePage::numberFromEnvironment();
    environment.defaultTableCodePage = CodePage::tableNumberFromEnvironment();
    environment.documentsFolder = documentsFolder();
    environment.progressShown = ::isatty(STDERR_FILENO) == 1;
    environment.outputShown = ::isatty(STDOUT_FILENO) == 1;
    environment.cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::ios::sync_with_stdio(false);
    return cli::runCli(*options, environment, std::cin, std::cout, std::cerr);
}
