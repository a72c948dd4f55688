#pragma once

#include <cstdint>
#include <string>

#include "graphics/Colors.h"

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

// A font as controls describe it. A negative Height is the em size in pixels, a positive one
// the cell height; Size is points at 96 dpi. Orientation is in tenths of a degree (900 reads
// bottom to top).
class TFont {
  public:
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style) { style_ = style; }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    int Orientation() const { return orientation_; }
    void SetOrientation(int tenths) { orientation_ = tenths; }

    friend bool operator==(const TFont&, const TFont&) = default;

  private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    int orientation_ = 0;
};
