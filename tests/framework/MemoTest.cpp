#include <gtest/gtest.h>

#include "framework/HeadlessApp.h"
#include "framework/Memo.h"
#include "framework/ScrollBar.h"

namespace {

class MemoTest : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form;
    TMemo* memo = nullptr;

    void SetUp() override {
        form = MakeShownForm(400, 200, clWhite);
        memo = form->InsertControl(std::make_unique<TMemo>());
        memo->SetBounds(10, 10, 200, 80);
        TFont font;
        font.SetName("Arial");
        font.SetHeight(-12);
        memo->SetFont(font);
        memo->SetScrollBars(ssBoth);
        std::vector<std::string> lines;
        for (int i = 0; i < 12; ++i) lines.push_back("line " + std::to_string(i) + " abc");
        lines[3] = "第三行 wide line that runs far past the right edge of the memo";
        memo->SetLines(lines);
        form->UpdateWindow();
    }
    THeadlessWindow& W() { return WindowOf(*form); }
    // The form point of a text position's left edge, in the middle of its line.
    TPoint At(int line, double fraction) {
        TRect a = memo->TextArea();
        int y = a.Top + (line - memo->TopLine()) * memo->LineHeight() + memo->LineHeight() / 2;
        return {10 + a.Left + static_cast<int>(a.Width() * fraction), 10 + y};
    }
};

TEST_F(MemoTest, MouseDragAndShiftKeysSelectAndCtrlCCopies) {
    TRect area = memo->TextArea();
    host.MouseDown(W(), 10 + area.Left + 1, At(0, 0).Y);
    host.MouseMove(W(), 10 + area.Left + 1, At(1, 0).Y);
    host.MouseUp(W(), 10 + area.Left + 1, At(1, 0).Y);
    EXPECT_TRUE(memo->Focused());
    EXPECT_EQ(memo->SelText(), "line 0 abc\r\n");

    for (int i = 0; i < 4; ++i) host.PressKey(vkRight, ssShift);
    EXPECT_EQ(memo->SelText(), "line 0 abc\r\nline");
    host.PressKey(vkEnd, ssShift);
    EXPECT_EQ(memo->SelText(), "line 0 abc\r\nline 1 abc");
    host.PressKey('C', ssCtrl);
    EXPECT_EQ(host.ClipboardText(), "line 0 abc\r\nline 1 abc");

    // Moving without Shift collapses the selection; copying nothing keeps the clipboard.
    host.PressKey(vkRight);
    EXPECT_EQ(memo->SelText(), "");
    host.PressKey('C', ssCtrl);
    EXPECT_EQ(host.ClipboardText(), "line 0 abc\r\nline 1 abc");

    // Ctrl+A takes everything; multi-byte characters stay whole.
    host.PressKey('A', ssCtrl);
    EXPECT_EQ(memo->SelText(), memo->Text());
    memo->Select({3, 0}, {3, 0});
    host.PressKey(vkRight, ssShift);
    EXPECT_EQ(memo->SelText(), "第");
}

TEST_F(MemoTest, SelectionIsDrawnInHighlightColours) {
    memo->Select({0, 0}, {0, 4});
    form->UpdateWindow();
    // The line's top row lies above the letters.
    TPoint p = At(0, 0);
    p.Y -= memo->LineHeight() / 2;
    EXPECT_EQ(W().PixelColor(p.X + 2, p.Y), ColorToRGB(clHighlight));
    EXPECT_EQ(W().PixelColor(At(0, 0.9).X, p.Y), clWhite) << "the rest of the line is not";
    memo->Select({0, 0}, {0, 0});
    form->UpdateWindow();
    EXPECT_EQ(W().PixelColor(p.X + 2, p.Y), clWhite);
}

TEST_F(MemoTest, WheelAndScrollBarsMoveTheTextWithinItsRange) {
    const int visible = memo->TextArea().Height() / memo->LineHeight();
    host.Wheel(W(), 50, 40, -1);
    EXPECT_EQ(memo->TopLine(), 3);
    host.Wheel(W(), 50, 40, -10);
    EXPECT_EQ(memo->TopLine(), 12 - visible) << "the last line stays at the bottom";
    host.Wheel(W(), 50, 40, 10);
    EXPECT_EQ(memo->TopLine(), 0);

    // Keys bring the caret into view.
    memo->SetFocus();
    host.PressKey(vkEnd, ssCtrl);
    EXPECT_EQ(memo->TopLine(), 12 - visible);
    host.PressKey(vkHome, ssCtrl);
    EXPECT_EQ(memo->TopLine(), 0);

    memo->SetScrollX(40);
    EXPECT_EQ(memo->ScrollX(), 40) << "the long line can be scrolled to";
    memo->SetScrollX(100000);
    EXPECT_LT(memo->ScrollX(), 1000);
    memo->SetLines({"short"});
    EXPECT_EQ(memo->ScrollX(), 0);
    memo->SetTopLine(5);
    EXPECT_EQ(memo->TopLine(), 0);
}

TEST_F(MemoTest, EachScrollBarComesAndGoesWithTheStyleAndScrollsItsOwnAxis) {
    const auto bar = [&](TScrollBarKind kind) -> TScrollBar* {
        for (int i = 0; i < memo->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TScrollBar*>(memo->Controls(i)); b && b->Kind() == kind)
                return b;
        return nullptr;
    };
    const auto clickSecondButton = [&](TScrollBar* b) {
        const TRect r = b->SecondButtonRect();
        const TPoint o = b->FormOrigin();
        host.Click(W(), o.X + (r.Left + r.Right) / 2, o.Y + (r.Top + r.Bottom) / 2);
    };
    ASSERT_TRUE(bar(sbVertical));
    ASSERT_TRUE(bar(sbHorizontal));

    clickSecondButton(bar(sbVertical));
    EXPECT_EQ(memo->TopLine(), 1);
    EXPECT_EQ(memo->ScrollX(), 0);
    clickSecondButton(bar(sbHorizontal));
    EXPECT_GT(memo->ScrollX(), 0);
    EXPECT_EQ(memo->TopLine(), 1);

    const TRect both = memo->TextArea();
    memo->SetScrollBars(ssVertical);
    EXPECT_TRUE(bar(sbVertical));
    EXPECT_FALSE(bar(sbHorizontal));
    EXPECT_EQ(memo->TextArea().Bottom, both.Bottom + TScrollBar::DefaultThickness);
    memo->SetScrollBars(ssHorizontal);
    EXPECT_FALSE(bar(sbVertical));
    ASSERT_TRUE(bar(sbHorizontal));
    EXPECT_EQ(memo->TextArea().Right, both.Right + TScrollBar::DefaultThickness);
    const int x = memo->ScrollX();
    clickSecondButton(bar(sbHorizontal));
    EXPECT_GT(memo->ScrollX(), x) << "a bar made again still scrolls";
    memo->SetScrollBars(ssNone);
    EXPECT_FALSE(bar(sbVertical));
    EXPECT_FALSE(bar(sbHorizontal));
}

TEST_F(MemoTest, ZeroSizeAndEmptyTextAreHarmless) {
    memo->SetBounds(10, 10, 0, 0);
    memo->SetLines({});
    memo->SelectAll();
    EXPECT_EQ(memo->SelText(), "");
    form->Invalidate();
    form->UpdateWindow();
    memo->SetBounds(10, 10, 5, 5);
    memo->SetFocus();
    host.PressKey(vkDown, ssShift);
    host.Wheel(W(), 12, 12, -3);
    EXPECT_EQ(memo->TopLine(), 0);
}

}  // namespace
