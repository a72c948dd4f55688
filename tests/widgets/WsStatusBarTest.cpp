#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "base/DateTimeFormat.h"
#include "base/FormatSettings.h"
#include "framework/HeadlessApp.h"
#include "graphics/Bitmap.h"
#include "widgets/WsClockStatus.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsColorSets.h"
#include "widgets/WsStatusBar.h"
#include "widgets/WsStatusPane.h"

namespace {

// A pane that counts its paints.
template <class Base>
class TCounting : public Base {
  public:
    using Base::Base;
    int paints = 0;

  protected:
    void Paint(TCanvas& canvas) override {
        ++paints;
        Base::Paint(canvas);
    }
};
using TCountingClock = TCounting<TWsClockStatus>;
using TCountingPane = TCounting<TWsStatusPane>;

const TColor kPaneFrame = Lighten(clBtnShadow, 30);

// A window with the program's status bar: a clock 150 wide and panes of 100, 100, 100, 200.
class WsStatusBarWindow : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form;
    TWsStatusBar* bar = nullptr;
    TCountingClock* clock = nullptr;
    std::vector<TCountingPane*> panes;
    DateTimeValue start = EncodeDate(2024, 3, 9) + EncodeTime(23, 59, 58);

    void SetUp() override {
        {
            TComponent::TLoadingScope loading;
            form = std::make_unique<TForm>();
            form->SetColor(clWindow);
            form->SetClientWidth(673);
            form->SetClientHeight(200);
            TFont arial;
            arial.SetName("Arial");
            arial.SetHeight(-11);
            form->SetFont(arial);
            bar = form->InsertControl(std::make_unique<TWsStatusBar>(form.get()));
            bar->SetBounds(0, 181, 673, 19);
            clock = bar->InsertControl(std::make_unique<TCountingClock>(form.get()));
            clock->SetBounds(0, 0, 150, 19);
            clock->SetAlign(alLeft);
            clock->OnGetDateTime = [this](TObject*, DateTimeValue& value) {
                value = start + static_cast<double>(host.Now()) / 86'400'000.0;
            };
            int left = 150;
            for (int width : {100, 100, 100, 200}) {
                auto* pane = bar->InsertControl(std::make_unique<TCountingPane>(form.get()));
                pane->SetBounds(left, 0, width, 19);
                pane->SetAlign(alLeft);
                left += width;
                panes.push_back(pane);
            }
        }
        form->FinishCreate();
        form->Show();
    }
    THeadlessWindow& Window() { return WindowOf(*form); }
    TColor At(int barX, int barY) { return Window().PixelColor(barX, bar->Top() + barY); }
};

TEST_F(WsStatusBarWindow, PanesSitInTheWidenedClientRectangle) {
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 181, 673, 19));
    EXPECT_EQ(clock->BoundsRect(), Bounds(-1, 1, 150, 19));
    const int lefts[] = {149, 249, 349, 449};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(panes[i]->BoundsRect(), Bounds(lefts[i], 1, panes[i]->Width(), 19));
    EXPECT_EQ(panes[3]->Width(), 200);
}

TEST_F(WsStatusBarWindow, APaneHasARoundedOutlineOnePixelInside) {
    // Pane 1 spans bar columns 149 to 248 and rows 1 to 19 (clipped at 18).
    const int l = 149;
    EXPECT_EQ(At(l + 1, 3), kPaneFrame);             // left side
    EXPECT_EQ(At(l + 98, 3), kPaneFrame);            // right side
    EXPECT_EQ(At(l + 50, 2), kPaneFrame);            // top
    EXPECT_EQ(At(l + 50, 18), kPaneFrame);           // bottom
    EXPECT_EQ(At(l + 1, 2), ColorToRGB(clBtnFace));  // corners left out
    EXPECT_EQ(At(l + 98, 18), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(l, 3), ColorToRGB(clBtnFace));  // the border width's gap
    EXPECT_EQ(At(l + 50, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(10, 0), ColorToRGB(clBtnFace));  // the bar's own top row
}

// The columns of a bar row range that hold text ink (anything darker than the frame).
std::vector<int> InkColumns(THeadlessWindow& w, int top, int left, int right) {
    std::vector<int> cols;
    for (int x = left; x < right; ++x)
        for (int y = top + 4; y < top + 16; ++y)
            if (GetRValue(w.PixelColor(x, y)) < 150) {
                cols.push_back(x);
                break;
            }
    return cols;
}

TEST_F(WsStatusBarWindow, CaptionStartsFivePixelsInAndIsCutWithoutEllipsis) {
#ifdef _WIN32
    GTEST_SKIP() << "the bar's left side bearing differs by a pixel in wine's GDI faces";
#endif
    panes[0]->SetCaption("||||");
    host.Advance(0);
    form->UpdateWindow();
    std::vector<int> ink = InkColumns(Window(), bar->Top(), 149, 249);
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.front(), 149 + 5);
    EXPECT_LE(ink.front(), 149 + 6);

    const std::string longText(80, 'W');
    panes[3]->SetCaption(longText);
    form->UpdateWindow();
    ink = InkColumns(Window(), bar->Top(), 449, 673);
    ASSERT_FALSE(ink.empty());
    // The text rectangle ends 2 pixels inside the pane: ink runs up to it and stops there.
    EXPECT_EQ(ink.back(), 449 + 200 - 3);
    TBitmap measure(1, 1);
    measure.Canvas().Font() = panes[3]->Font();
    EXPECT_GT(measure.Canvas().TextWidth(longText), 200);
    // No dots of an ellipsis: the last drawn letters are W's, whose strokes reach the top of
    // the line, where dots would mark only a row or two at its foot.
    int highest = 19;
    for (int x = ink.back() - 4; x <= ink.back(); ++x)
        for (int y = 2; y < 18; ++y)
            if (GetRValue(At(x, y)) < 150) highest = std::min(highest, y);
    EXPECT_LE(highest, 8);
}

TEST_F(WsStatusBarWindow, TheSameCaptionTwiceRepaintsOnce) {
    form->UpdateWindow();
    const int before = panes[1]->paints;
    panes[1]->SetCaption("12 条");
    form->UpdateWindow();
    panes[1]->SetCaption("12 条");
    form->UpdateWindow();
    EXPECT_EQ(panes[1]->paints, before + 1);
}

TEST_F(WsStatusBarWindow, TheClockRepaintsOncePerSecondAndShowsTheDateAloneAtMidnight) {
    const TFormatSettings& fs = FormatSettings();
    EXPECT_EQ(clock->TimeText(), FormatDateTime(fs.ShortDateFormat, start) + " " +
                                     FormatDateTime(fs.LongTimeFormat, start));
    form->UpdateWindow();
    const int before = clock->paints;
    host.Advance(500);  // the text is recomputed, the second has not changed
    host.Advance(500);
    host.Advance(500);
    host.Advance(500);
    EXPECT_EQ(clock->paints, before + 2);  // two seconds passed
    const DateTimeValue midnight = EncodeDate(2024, 3, 10);
    EXPECT_EQ(clock->TimeText(), FormatDateTime(fs.ShortDateFormat, midnight));
    host.Advance(1000);
    EXPECT_EQ(clock->TimeText(), FormatDateTime(fs.ShortDateFormat, midnight) + " " +
                                     FormatDateTime(fs.LongTimeFormat, midnight + 1.0 / 86400));
    // Only the clock was repainted by the ticks.
    EXPECT_EQ(Window().LastPresentBounds().Intersect(panes[0]->VisibleFormRect()), TRect{});
}

TEST_F(WsStatusBarWindow, AHiddenClockStopsAndResumesAtTheNextTick) {
    clock->SetFormat("hh:nn:ss");
    EXPECT_EQ(clock->TimeText(), "23:59:58");
    clock->Hide();
    host.Advance(3000);
    EXPECT_EQ(clock->TimeText(), "23:59:58");
    clock->Show();
    host.Advance(500);
    EXPECT_EQ(clock->TimeText(), "00:00:01");
}

TEST_F(WsStatusBarWindow, OneTimerServesEveryPollingPane) {
    auto* second = bar->InsertControl(std::make_unique<TWsClockStatus>());
    second->SetFormat("ss");
    ASSERT_NE(TWsPollingList::Instance(), nullptr);
    EXPECT_EQ(TWsPollingList::Instance()->Count(), 2);
    second->SetInterval(2000);
    EXPECT_EQ(clock->Interval(), 2000u);
    clock->SetFormat("hh:nn:ss");
    host.Advance(1999);
    EXPECT_EQ(clock->TimeText(), "23:59:58");
    host.Advance(1);
    EXPECT_EQ(clock->TimeText(), "00:00:00");
    clock->SetActive(false);
    EXPECT_FALSE(second->Active());
    host.Advance(4000);
    EXPECT_EQ(clock->TimeText(), "00:00:00");
    clock->SetActive(true);
    // The list goes with its last pane.
    std::unique_ptr<TControl> gone = bar->RemoveControl(second);
    gone.reset();
    EXPECT_EQ(TWsPollingList::Instance()->Count(), 1);
    form.reset();
    EXPECT_EQ(TWsPollingList::Instance(), nullptr);
}

TEST_F(WsStatusBarWindow, SizeGripDotsAndTheDragThatSizesTheForm) {
    // R = 674 and B = 19 in bar coordinates: highlight squares at (R - 5, B - 12) and so on,
    // shadow squares over them one pixel up and left.
    const TColor hi = ColorToRGB(clBtnHighlight);
    const TColor sh = ColorToRGB(clBtnShadow);
    struct TDot {
        int dx, dy;
    };
    for (TDot d : {TDot{5, 12}, TDot{5, 8}, TDot{5, 4}, TDot{9, 8}, TDot{9, 4}, TDot{13, 4}}) {
        const int x = 674 - d.dx;
        const int y = 19 - d.dy;
        EXPECT_EQ(At(x - 1, y - 1), sh) << d.dx << "," << d.dy;
        EXPECT_EQ(At(x, y), sh);
        EXPECT_EQ(At(x + 1, y), hi);
        EXPECT_EQ(At(x, y + 1), hi);
        EXPECT_EQ(At(x + 1, y + 1), hi);
        EXPECT_EQ(At(x + 2, y + 2), ColorToRGB(clBtnFace));
    }
    EXPECT_EQ(At(674 - 13 - 4, 19 - 12), ColorToRGB(clBtnFace));  // no dot up there

    THeadlessWindow& w = Window();
    host.MouseMove(w, 668, 195);
    EXPECT_EQ(w.Cursor(), crSizeNWSE);
    host.MouseDown(w, 668, 195);
    host.MouseMove(w, 700, 230);
    host.MouseUp(w, 700, 230);
    EXPECT_EQ(form->ClientWidth(), 673 + 32);
    EXPECT_EQ(form->ClientHeight(), 200 + 35);
    EXPECT_EQ(bar->Top(), 235 - 19);
}

TEST_F(WsStatusBarWindow, NoGripWhenMaximizedOrNotSizeable) {
    THeadlessWindow& w = Window();
    form->SetWindowState(wsMaximized);
    form->UpdateWindow();
    EXPECT_EQ(At(669, 15), ColorToRGB(clBtnFace));
    EXPECT_FALSE(bar->SizeGripValid());
    host.MouseDown(w, 668, 195);
    host.MouseMove(w, 700, 230);
    host.MouseUp(w, 700, 230);
    EXPECT_EQ(form->ClientWidth(), 673);
    form->SetWindowState(wsNormal);
    form->UpdateWindow();
    EXPECT_EQ(At(670, 16), ColorToRGB(clBtnHighlight));
    form->SetBorderStyle(bsSingle);
    EXPECT_FALSE(bar->SizeGripValid());
}

TEST_F(WsStatusBarWindow, APaneUnderTheGripLeavesItsCornerToTheBar) {
    panes[3]->SetWidth(300);  // now reaches past the bar's right edge
    EXPECT_TRUE(panes[3]->UnderSizeGrip(panes[3]->BoundsRect()));
    EXPECT_FALSE(panes[3]->HitTest({panes[3]->Width() - 5, 5}));
    EXPECT_TRUE(panes[3]->HitTest({panes[3]->Width() - 13, 5}));
    EXPECT_FALSE(panes[0]->UnderSizeGrip(panes[0]->BoundsRect()));
    EXPECT_EQ(bar->FrameHitAt({668, 10}), fhSizeBottomRight);
    bar->SetShowSizeGrip(false);
    EXPECT_TRUE(panes[3]->HitTest({panes[3]->Width() - 5, 5}));
    EXPECT_EQ(bar->FrameHitAt({668, 10}), fhClient);
}

TEST_F(WsStatusBarWindow, GradientStyleShadesAndSeparatesThePanes) {
    bar->SetVisualStyle(vsGradient);
    form->UpdateWindow();
    const TStatusColors colors = StatusShadeColors(TDisplaySettings{}, gcsSystem);
    // Shaded from the dark colour toward the light one; the shading's last row (the light
    // colour itself) lies one below the bar, as the client rectangle is moved down by one.
    EXPECT_GE(GetRValue(At(300, 18)), 250u);
    EXPECT_LE(GetRValue(At(300, 1)), GetRValue(Darken(clBtnFace, 20)) + 2);
    // A separator on each pane's left after the first; no outline.
    EXPECT_EQ(At(150, 5), colors.Third);
    EXPECT_NE(At(200, 2), kPaneFrame);
    EXPECT_NE(At(0, 5), colors.Third);  // the first pane has none
    // The grip takes the light and third colours.
    EXPECT_EQ(At(670, 16), ColorToRGB(colors.Light));
    EXPECT_EQ(At(669, 15), colors.Third);
}

TEST_F(WsStatusBarWindow, SimpleStatusHidesOnlyVisiblePanesAndBringsThemBack) {
    panes[2]->Hide();
    bar->SetSimpleCaption("就绪");
    bar->SetSimpleStatus(true);
    for (auto* p : panes) EXPECT_FALSE(p->Visible());
    EXPECT_FALSE(clock->Visible());
    bar->SetSimpleStatus(false);
    EXPECT_TRUE(clock->Visible());
    EXPECT_TRUE(panes[0]->Visible());
    EXPECT_FALSE(panes[2]->Visible());
    EXPECT_EQ(panes[3]->Left(), 349);  // after pane 2, in place of the hidden pane 3
}

class WsStatusBarLoading : public HeadlessApp {
  protected:
    // A bar loaded from layout data that sets what the layout sets, then the rest.
    std::unique_ptr<TForm> Load(const std::function<void(TWsStatusBar&)>& layout) {
        TComponent::TLoadingScope loading;
        auto form = std::make_unique<TForm>();
        form->SetClientWidth(300);
        form->SetClientHeight(200);
        bar = form->InsertControl(std::make_unique<TWsStatusBar>(form.get()));
        layout(*bar);
        EXPECT_TRUE(bar->AutoStyle() || bar->BorderOuter() != fsNone);
        return form;
    }
    TWsStatusBar* bar = nullptr;
};

TEST_F(WsStatusBarLoading, AutoStyleIsReappliedAfterLoadingUntilABorderIsSet) {
    auto form = Load([](TWsStatusBar& b) {
        b.SetAlign(alTop);
        b.SetHeight(40);
        b.SetBorderWidth(3);
    });
    form->FinishCreate();
    EXPECT_TRUE(bar->AutoStyle());
    EXPECT_EQ(bar->Align(), alBottom) << "loading ended with the bar's own style again";
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 181, 300, 19));
    EXPECT_EQ(bar->BorderWidth(), 0);

    auto framed = Load([](TWsStatusBar& b) {
        b.SetAlign(alTop);
        b.SetHeight(40);
        b.SetBorderOuter(fsLowered);
    });
    EXPECT_FALSE(bar->AutoStyle());
    framed->FinishCreate();
    EXPECT_EQ(bar->BorderOuter(), fsLowered);
    EXPECT_EQ(bar->Align(), alTop) << "a border set by the layout keeps the layout's style";
    EXPECT_EQ(bar->Height(), 40);
}

class WsStatusPanes : public HeadlessApp {};

TEST_F(WsStatusPanes, AutoSizeAndColoursAndScaling) {
    auto form = MakeShownForm(400, 100);
    auto* bar = form->InsertControl(std::make_unique<TWsStatusBar>());
    auto* pane = bar->InsertControl(std::make_unique<TWsStatusPane>());
    pane->SetAutoSize(true);
    EXPECT_EQ(pane->Width(), 40);
    pane->SetCaption("abc");
    TBitmap measure(1, 1);
    measure.Canvas().Font() = pane->Font();
    EXPECT_EQ(pane->Width(), 2 + measure.Canvas().TextWidth("abc") + 2 + 6);
    pane->SetCaptionOffset(10);
    EXPECT_EQ(pane->Width(), 2 + measure.Canvas().TextWidth("abc") + 10 + 6);

    bar->SetColor(clYellow);
    EXPECT_EQ(pane->Color(), clYellow);
    EXPECT_EQ(pane->FillColor(), clYellow);
    pane->SetFillColor(clAqua);
    EXPECT_FALSE(pane->ParentFillColor());
    bar->SetColor(clLime);
    EXPECT_EQ(pane->FillColor(), clAqua);

    // Scaling by the change of the bar's width, skipped while the old width is 0.
    auto* other = bar->InsertControl(std::make_unique<TWsStatusPane>());
    other->SetWidth(100);
    bar->SetAutoScalePanes(true);
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 0, 19);
    bar->SetBounds(0, 0, 200, 19);  // from 0: nothing to scale by
    EXPECT_EQ(other->Width(), 100);
    bar->SetBounds(0, 0, 300, 19);
    EXPECT_EQ(other->Width(), 150);
    bar->SetBounds(0, 0, 150, 19);
    EXPECT_EQ(other->Width(), 75);  // 150 - 150 * (150 / 300)
}

TEST_F(WsStatusPanes, ABlinkingPaneAlternatesItsTextColour) {
    auto form = MakeShownForm(400, 100);
    auto* bar = form->InsertControl(std::make_unique<TWsStatusBar>());
    auto* pane = bar->InsertControl(std::make_unique<TWsStatusPane>());
    const TColor font = pane->Font().Color();
    EXPECT_FALSE(WsBlinkList::Running());
    pane->SetBlinking(true);
    EXPECT_TRUE(WsBlinkList::Running());
    host.Advance(500);
    EXPECT_EQ(pane->TextColor(), clHighlight);
    host.Advance(500);
    EXPECT_EQ(pane->TextColor(), font);
    host.Advance(500);
    EXPECT_EQ(pane->TextColor(), clHighlight);
    pane->SetBlinking(false);
    EXPECT_EQ(pane->TextColor(), font);
    EXPECT_FALSE(WsBlinkList::Running());
}

}  // namespace
