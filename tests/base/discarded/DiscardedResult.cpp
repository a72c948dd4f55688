// Compiled by the test suite only to see the compiler complain: a result dropped unread must
// not go unnoticed.
#include "base/Result.h"

TResult<int> Parse(int n) {
    if (n < 0) return TError("negative");
    return n;
}

TResult<void> Save(bool good) {
    if (!good) return TError("not saved");
    return {};
}

void DropBoth() {
    Parse(1);
    Save(true);
}
