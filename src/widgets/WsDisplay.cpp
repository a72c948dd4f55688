#include "widgets/WsDisplay.h"

#include <cctype>
#include <string>

int OfficeSchemeFromColorName(std::string_view colorName) {
    std::string upper(colorName);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "HOMESTEAD") return 1;
    if (upper == "METALLIC") return 2;
    return 0;
}
