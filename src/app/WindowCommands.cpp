#include <cstdio>

#include "app/Commands.h"

// Placeholder until the window layer lands.
int RunWindow(const TCommandLine&) {
    std::fputs("vigil: the window is not available yet; try --print\n", stderr);
    return 1;
}

int RunScreenshot(const TCommandLine&) {
    std::fputs("vigil: --screenshot is not available yet\n", stderr);
    return 1;
}
