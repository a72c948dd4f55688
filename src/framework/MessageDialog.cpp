#include "framework/MessageDialog.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/CustomControl.h"
#include "graphics/Bitmap.h"
#include "graphics/Frame3D.h"

namespace {

// The dialog's one push button, drawn in the classic raised style.
class TMessageButton : public TCustomControl {
  public:
    explicit TMessageButton(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetControlStyle(ControlStyle() | csOpaque);
    }

  protected:
    void Paint(TCanvas& canvas) override {
        TRect r = ClientRect();
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect(r);
        bool pressed = MouseCapture() && MouseInControl();
        TRect edge = r;
        Frame3D(canvas, edge, pressed ? cl3DDkShadow : clBtnHighlight,
                pressed ? clBtnHighlight : cl3DDkShadow, 1);
        canvas.Brush().Style = bsClear;
        TRect text = r;
        canvas.DrawText(Caption(), text, dtCenter | dtVCenter | dtSingleLine);
        if (Focused()) canvas.DrawFocusRect(r.Inflate(-3, -3));
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        if (button == mbLeft) SetFocus();
        Invalidate();
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
        Invalidate();
        TCustomControl::MouseUp(button, shift, x, y);
    }
    void DoEnter() override {
        Invalidate();
        TCustomControl::DoEnter();
    }
    void DoExit() override {
        Invalidate();
        TCustomControl::DoExit();
    }
};

class TMessageForm : public TForm {
  public:
    TMessageForm(TComponent* owner, const std::string& text) : TForm(owner), text_(text) {
        SetBorderStyle(bsDialog);
        SetPosition(poOwnerFormCenter);
        SetColor(clBtnFace);
        TFont font;
        font.SetName("Arial");
        font.SetHeight(-12);
        SetFont(font);

        TBitmap measure(1, 1);
        measure.Canvas().Font() = font;
        TRect r{0, 0, 420, 0};
        measure.Canvas().DrawText(text_, r, dtCalcRect | dtWordBreak | dtNoPrefix);
        textRect_ = Bounds(kMargin, kMargin, std::max(r.Width(), 150), std::max(r.Height(), 14));
        SetClientWidth(textRect_.Width() + 2 * kMargin);
        SetClientHeight(textRect_.Bottom + kMargin + 23 + kMargin);

        auto* ok = InsertControl(std::make_unique<TMessageButton>(this));
        ok->SetCaption("确定");
        ok->SetBounds((ClientWidth() - 75) / 2, textRect_.Bottom + kMargin, 75, 23);
        ok->OnClick = [this](TObject*) { SetModalResult(mrOk); };
    }

  protected:
    void Paint(TCanvas& canvas) override {
        TRect r = textRect_;
        canvas.Brush().Style = bsClear;
        canvas.DrawText(text_, r, dtWordBreak | dtNoPrefix);
    }
    bool DialogKey(TKey key, TShiftState shift) override {
        if (key == vkReturn || key == vkEscape) {
            SetModalResult(key == vkReturn ? mrOk : mrCancel);
            return true;
        }
        return TForm::DialogKey(key, shift);
    }

  private:
    static constexpr int kMargin = 16;
    std::string text_;
    TRect textRect_;
};

}  // namespace

void ShowMessageBox(TApplication& app, const std::string& text, const std::string& caption) {
    TComponent* owner = app.MainForm();
    auto form = MakeForm<TMessageForm>(owner ? owner : &app, text);
    form->SetCaption(caption);
    form->ShowModal();
}
