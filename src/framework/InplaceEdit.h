#pragma once

#include <functional>
#include <string>

#include "framework/CustomControl.h"

// A one-line text editor laid over a cell of a list: Enter or losing the focus commits,
// Escape cancels. It starts with all its text selected, so typing replaces it.
class TInplaceEdit : public TCustomControl {
  public:
    explicit TInplaceEdit(TComponent* owner = nullptr);

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // Caret and selection anchor as byte offsets at character boundaries.
    int CaretPos() const { return caret_; }
    bool HasSelection() const { return anchor_ != caret_; }

    // Called once with the outcome: commit true with the text, or false when cancelled.
    std::function<void(bool commit, const std::string& text)> OnFinish;

    // Ends editing as if Enter (true) or Escape (false) had been pressed.
    void Finish(bool commit);

  protected:
    void Paint(TCanvas& canvas) override;
    void KeyDown(TKey& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;
    bool WantsKey(TKey key, TShiftState shift) const override;
    void DoExit() override;

  private:
    void DeleteSelection();
    int PrevChar(int pos) const;
    int NextChar(int pos) const;

    std::string text_;
    int caret_ = 0;
    int anchor_ = 0;
    bool finished_ = false;
};
