#include "base/FormatSettings.h"

namespace {

TFormatSettings& Current() {
    static TFormatSettings settings;
    return settings;
}

}  // namespace

const TFormatSettings& FormatSettings() {
    return Current();
}

void SetFormatSettings(const TFormatSettings& settings) {
    Current() = settings;
}
