#pragma once

#include <string>

#include "framework/Form.h"

// The small frameless window the hint service shows: clInfoBk with a thin frame and the text
// in clInfoText.
class THintWindow : public TForm {
  public:
    explicit THintWindow(TComponent* owner = nullptr);

    // The window's size for a text, placed with its top-left corner at the origin.
    TRect CalcHintRect(const std::string& text) const;
    // Shows the text in a screen rectangle, without taking the keyboard.
    void ActivateHint(const TRect& screenRect, const std::string& text);

  protected:
    void Paint(TCanvas& canvas) override;
};
