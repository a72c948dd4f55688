#include "widgets/WsFrameColors_p.h"

const std::array<TColor, kFrameColorCount> UpperLeftFrameColors = {
    clWindow,     cl3DDkShadow, clBtnShadow, clBtnHighlight, clBtnShadow, clNone,
    cl3DDkShadow, clNone,       clBtnShadow, clBtnHighlight, clBtnShadow,
};

const std::array<TColor, kFrameColorCount> LowerRightFrameColors = {
    clWindow,  cl3DDkShadow, clBtnHighlight, clBtnShadow, clBtnHighlight, clNone,
    clBtnFace, clNone,       clBtnHighlight, clBtnShadow, clBtnShadow,
};

namespace {

constexpr TFrameRings kRaised = {cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow};
constexpr TFrameRings kLowered = {clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight};
constexpr TFrameRings kButtonUp = {clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow};
constexpr TFrameRings kButtonDown = {clBtnText, clBtnText, clBtnShadow, clBtnShadow};

}  // namespace

const TFrameRings* FrameRingColors(TFrameStyle style) {
    switch (style) {
        case fsRaised:
            return &kRaised;
        case fsLowered:
            return &kLowered;
        case fsButtonUp:
            return &kButtonUp;
        case fsButtonDown:
            return &kButtonDown;
        default:
            return nullptr;
    }
}
