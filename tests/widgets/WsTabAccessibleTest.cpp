#include <gtest/gtest.h>

#include "framework/AccessibleSink.h"
#include "framework/HeadlessApp.h"
#include "widgets/WsPageControl.h"
#include "widgets/WsTabSheet.h"

namespace {

// A page control of three pages, "&Log", "Chart" and "Stats", the first with a focusable
// control on it.
class WsTabAccessible : public HeadlessApp {
  protected:
    TRecordingSink sink;
    std::unique_ptr<TForm> form = MakeShownForm(500, 300, clWindow);
    TWsPageControl* pc = nullptr;
    TWsTabSheet* pages[3] = {};

    void SetUp() override {
        SetAccEventSink(&sink);
        pc = form->InsertControl(std::make_unique<TWsPageControl>());
        pc->SetBounds(10, 10, 400, 250);
        const char* captions[] = {"&Log", "Chart", "Stats"};
        for (int i = 0; i < 3; ++i) {
            pages[i] = pc->InsertControl(std::make_unique<TWsTabSheet>());
            pages[i]->SetCaption(captions[i]);
        }
        pc->SetActivePage(pages[0]);
        pc->SetTabStop(true);
        host.Advance(1);
    }
    void TearDown() override { SetAccEventSink(nullptr); }
    TAccessible* List() { return pc->Accessible(); }
    TAccessible* Tab(int i) { return List()->Child(i); }
};

TEST_F(WsTabAccessible, EachTabIsAPageTabHoldingItsPage) {
    EXPECT_EQ(List()->Describe().Role, arPageTabList);
    ASSERT_EQ(List()->ChildCount(), 3);
    TAccDescription log = Tab(0)->Describe();
    EXPECT_EQ(log.Role, arPageTab);
    EXPECT_EQ(log.Name, "Log");
    EXPECT_EQ(log.Shortcut, "Alt+L");
    EXPECT_EQ(log.DefaultAction, aaSelect);
    EXPECT_TRUE(log.States & asSelected);
    EXPECT_FALSE(Tab(1)->Describe().States & asSelected);
    EXPECT_EQ(Tab(2)->IndexInParent(), 2);
    EXPECT_EQ(Tab(1)->Child(0), pages[1]->Accessible());
    EXPECT_EQ(pages[1]->Accessible()->Parent(), Tab(1));
    TPoint o = pc->ClientToScreen({0, 0});
    EXPECT_EQ(Tab(1)->ScreenBounds(), pc->DrawnTabRect(1).Offset(o.X, o.Y));
    TRect tab = Tab(1)->ScreenBounds();
    EXPECT_EQ(AccessibleRoot()->NodeAt({tab.Left + 3, tab.Top + 3}), Tab(1));
}

TEST_F(WsTabAccessible, SelectingByActionOrKeyboardIsTold) {
    ASSERT_TRUE(Tab(2)->DoDefaultAction());
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    EXPECT_EQ(sink.Count(Tab(2), aeSelection), 1);
    EXPECT_TRUE(Tab(2)->Describe().States & asSelected);

    pc->SetFocus();
    host.PressKey(vkLeft);
    EXPECT_EQ(pc->ActivePage(), pages[1]);
    EXPECT_EQ(sink.Count(Tab(1), aeSelection), 1);
    EXPECT_EQ(sink.Count(Tab(1), aeFocus), 1);
    EXPECT_TRUE(Tab(1)->Describe().States & asFocused);

    pc->SetEnabled(false);
    EXPECT_FALSE(Tab(0)->DoDefaultAction());
    EXPECT_EQ(pc->ActivePage(), pages[1]);
}

TEST_F(WsTabAccessible, AHiddenTabLeavesTheListAndItsNodeGoes) {
    TAccessible* chart = Tab(1);
    TAccessible* last = Tab(2);
    pages[1]->SetTabVisible(false);
    EXPECT_EQ(sink.Count(List(), aeChildren), 1);
    ASSERT_EQ(List()->ChildCount(), 3) << "two tabs, and the page without a tab";
    EXPECT_EQ(sink.Count(last, aeDestroyed), 1);
    EXPECT_EQ(sink.Count(chart, aeDestroyed), 1) << "its place now holds another tab";
    EXPECT_EQ(Tab(1)->Describe().Name, "Stats");
    EXPECT_EQ(List()->Child(2), pages[1]->Accessible());
}

}  // namespace
