#include "cli/Cli.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const int status = quillmark::cli::run(argc, argv, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
    std::cout.flush();
    return status;
}
