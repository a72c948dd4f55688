#pragma once

#include <cstdint>
#include <initializer_list>

// The widget set's shared enumerations. Layout data stores them as ordinals and the frame
// tables are indexed by them, so the order of the values never changes.

enum TFrameStyle : std::uint8_t {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded,
};
using TFrameStyleEx = TFrameStyle;

enum TSide : std::uint8_t { sdLeft, sdTop, sdRight, sdBottom };

enum TGradientDirection : std::uint8_t {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox,
};

enum TWsVisualStyle : std::uint8_t { vsClassic, vsWinXP, vsGradient };

enum TWsGradientColorStyle : std::uint8_t { gcsSystem, gcsMSOffice, gcsCustom };

enum TOrientation : std::uint8_t { orHorizontal, orVertical };

// A set of sides in one byte: bit 0 left, bit 1 top, bit 2 right, bit 3 bottom.
class TSides {
  public:
    constexpr TSides() = default;
    constexpr TSides(std::initializer_list<TSide> sides) {
        for (TSide s : sides) bits_ |= Bit(s);
    }
    // Bits above the four sides are dropped, so a corrupt stored byte is still a valid set.
    static constexpr TSides FromBits(std::uint8_t bits) {
        TSides s;
        s.bits_ = bits & 0x0F;
        return s;
    }

    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool Contains(TSide s) const { return (bits_ & Bit(s)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSides operator+(TSide s) const { return FromBits(bits_ | Bit(s)); }
    constexpr TSides operator-(TSide s) const { return FromBits(bits_ & ~Bit(s)); }

    friend constexpr bool operator==(TSides, TSides) = default;

  private:
    static constexpr std::uint8_t Bit(TSide s) { return static_cast<std::uint8_t>(1u << (s & 3)); }
    std::uint8_t bits_ = 0;
};

inline constexpr TSides AllSides = TSides::FromBits(0x0F);
