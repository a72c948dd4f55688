#include "chart/ChartTypes.h"

const std::vector<TColor>& DefaultPalette() {
    static const std::vector<TColor> palette = {
        clRed,  clGreen, clYellow,     clBlue,    clWhite, clGray,    clFuchsia,
        clTeal, clNavy,  clMaroon,     clLime,    clOlive, clPurple,  clSilver,
        clAqua, clBlack, clMoneyGreen, clSkyBlue, clCream, clMedGray,
    };
    return palette;
}
