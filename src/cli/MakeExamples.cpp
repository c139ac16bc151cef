// tessaro-make-examples FOLDER: writes the demo files (make examples writes them
// into examples/). A developer's program, built beside tessaro-cli and never installed.
#include "cli/DemoSet.h"
#include "common/Texts.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("Usage: tessaro-make-examples FOLDER\n", stderr);
        return 2;
    }
    tessaro::SetUiLanguage(tessaro::UiLanguage::English);
    return tessaro::cli::MakeExamples(argv[1]);
}
