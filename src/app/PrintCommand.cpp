#include <cstdio>

#include "app/Commands.h"

// Placeholder until the history layer lands.
int RunPrint(const TCommandLine&) {
    std::fputs("vigil: --print is not available yet\n", stderr);
    return 1;
}
