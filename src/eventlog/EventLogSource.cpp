#include "eventlog/EventLogSource.h"

#include <algorithm>

TBootRange TEventLogSource::Boots() {
    TBootRange range;
    if (!Open()) return range;
    TLogEvent event;
    while (Next(event)) {
        if (event.Kind != ekBoot) continue;
        range.Oldest = range.Any ? std::min(range.Oldest, event.Utc) : event.Utc;
        range.Newest = range.Any ? std::max(range.Newest, event.Utc) : event.Utc;
        range.Any = true;
    }
    Close();
    return range;
}
