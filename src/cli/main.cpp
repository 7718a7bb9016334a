#include <iostream>

#include "cli/cli_app.hpp"
#include "cli/program_dir.hpp"

int main(int argc, char** argv) {
    return korvane::cli::RunCli(argc, argv, korvane::cli::ProgramDirectory(), std::cout, std::cerr);
}
