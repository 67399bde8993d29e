// ferrolin-script: runs the game headless from a script and writes screenshots.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/script_runner.hpp"
#include "base/utf8_path.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ferrolin-script SCRIPT\n";
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::cerr << "ferrolin-script: cannot read " << argv[1] << "\n";
        return 2;
    }
    return app::runScript(script, base::fromPath(std::filesystem::current_path()), std::cerr);
}
