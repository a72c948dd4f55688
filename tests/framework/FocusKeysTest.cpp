#include "HeadlessApp.h"

namespace {

class FocusKeys : public HeadlessApp {
  protected:
    std::vector<std::string> keys;

    TWinProbe* AddFocusable(TWinControl& parent, const std::string& name, int x) {
        auto* p = AddProbe(parent, name, Bounds(x, 10, 20, 20), clRed);
        p->SetTabStop(true);
        p->keyLog = &keys;
        return p;
    }
    std::string Focused(const TForm& form) {
        return form.ActiveControl() ? form.ActiveControl()->Name() : "(none)";
    }
};

// A windowless control with an accelerator, like a tool button.
class TAccelProbe : public TGraphicControl {
  public:
    TAccelProbe(std::vector<std::string>& log, const std::string& caption)
        : TGraphicControl(nullptr), log_(log) {
        SetCaption(caption);
    }

  protected:
    bool DialogChar(char32_t ch, TShiftState) override {
        if (!IsAccel(ch, Caption())) return false;
        log_.push_back("accel " + Caption());
        return true;
    }

  private:
    std::vector<std::string>& log_;
};

TEST_F(FocusKeys, TabWalksTheTabOrderDepthFirstAndWraps) {
    auto form = MakeShownForm(300, 100);
    auto* a = AddFocusable(*form, "a", 0);
    auto* box = AddProbe(*form, "box", Bounds(50, 0, 200, 50), clSilver);
    auto* b1 = AddFocusable(*box, "b1", 0);
    auto* b2 = AddFocusable(*box, "b2", 30);
    auto* hidden = AddFocusable(*form, "hidden", 100);
    auto* disabled = AddFocusable(*form, "disabled", 130);
    auto* c = AddFocusable(*form, "c", 160);
    hidden->Hide();
    disabled->SetEnabled(false);
    b2->SetTabOrder(0);

    a->SetFocus();
    EXPECT_TRUE(a->Focused());
    std::vector<std::string> order;
    for (int i = 0; i < 4; ++i) {
        host.PressKey(vkTab);
        order.push_back(Focused(*form));
    }
    EXPECT_EQ(order, (Lines{"b2", "b1", "c", "a"}));
    host.PressKey(vkTab, ssShift);
    EXPECT_EQ(Focused(*form), "c");
    EXPECT_FALSE(b1->Focused());
    EXPECT_TRUE(c->Focused());
    EXPECT_TRUE(box->ContainsFocus() == false);
    b1->SetFocus();
    EXPECT_TRUE(box->ContainsFocus());
}

TEST_F(FocusKeys, FocusChangesRaiseExitThenEnterAndKeysGoToTheFocusedControl) {
    auto form = MakeShownForm(300, 100);
    auto* a = AddFocusable(*form, "a", 0);
    auto* b = AddFocusable(*form, "b", 30);
    a->SetFocus();
    keys.clear();
    b->SetFocus();
    host.KeyDown('X');
    host.Type("é");
    EXPECT_EQ(keys, (Lines{"exit-focus a", "enter-focus b", "key b 88", "char b 233"}));

    // A control that wants Tab keeps it.
    keys.clear();
    b->wantsTab = true;
    host.PressKey(vkTab);
    EXPECT_EQ(Focused(*form), "b");
    EXPECT_EQ(keys, (Lines{"key b 9"}));
}

TEST_F(FocusKeys, FirstTabStopIsFocusedWhenTheFormShowsAndFocusNeedsAnActiveWindow) {
    auto form = MakeForm<TForm>();
    std::vector<std::string> unused;
    auto* a = form->InsertControl(std::make_unique<TWinProbe>(unused, "a", clRed));
    auto* b = form->InsertControl(std::make_unique<TWinProbe>(unused, "b", clRed));
    a->SetTabOrder(1);
    a->SetTabStop(true);
    b->SetTabStop(true);
    form->Show();
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_TRUE(b->Focused());
    host.Deactivate();
    EXPECT_FALSE(b->Focused()) << "an inactive window has no focused control";
    EXPECT_EQ(form->ActiveControl(), b);
}

TEST_F(FocusKeys, CtrlTabReachesTheContainersOfTheFocusedControl) {
    auto form = MakeShownForm(300, 100);
    auto* pages = AddProbe(*form, "pages", Bounds(0, 0, 200, 80), clSilver);
    pages->keyLog = &keys;
    pages->takeCtrlTab = true;
    auto* list = AddFocusable(*pages, "list", 0);
    list->SetFocus();
    keys.clear();
    host.PressKey(vkTab, ssCtrl);
    EXPECT_EQ(keys, (Lines{"key list 9", "ctrl-tab pages"}));
    EXPECT_EQ(Focused(*form), "list") << "Ctrl+Tab is not focus navigation";
}

TEST_F(FocusKeys, AcceleratorsReachOnlyVisibleEnabledControls) {
    auto form = MakeShownForm(300, 100);
    auto* help = form->InsertControl(std::make_unique<TAccelProbe>(log, "帮助(&H)"));
    form->InsertControl(std::make_unique<TAccelProbe>(log, "主页(&H)"));
    form->InsertControl(std::make_unique<TAccelProbe>(log, "刷新(&R)"));
    form->InsertControl(std::make_unique<TAccelProbe>(log, "A&&B"));
    help->Hide();

    host.PressKey('H', ssAlt);
    host.Type("r");             // without Alt, a character the focused control leaves also counts
    host.PressKey('B', ssAlt);  // "&&" is a literal ampersand, not an accelerator
    host.PressKey('R', ssCtrl | ssAlt);
    EXPECT_EQ(Take("accel"), (Lines{"accel 主页(&H)", "accel 刷新(&R)"}));
}

TEST_F(FocusKeys, AcceleratorMatchingIgnoresCaseAndNonLetters) {
    EXPECT_TRUE(TControl::IsAccel(U'r', "刷新(&R)"));
    EXPECT_TRUE(TControl::IsAccel(U'R', "&rest"));
    EXPECT_FALSE(TControl::IsAccel(U'r', "Refresh"));
    EXPECT_FALSE(TControl::IsAccel(U'b', "A&&B"));
    EXPECT_TRUE(TControl::IsAccel(U'c', "A&&B&C"));
    EXPECT_FALSE(TControl::IsAccel(U'x', "trailing&"));
    EXPECT_FALSE(TControl::IsAccel(U'页', "主&页"));
}

}  // namespace
