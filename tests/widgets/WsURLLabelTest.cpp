#include <gtest/gtest.h>

#include "framework/HeadlessApp.h"
#include "framework/Keys.h"
#include "widgets/WsURLLabel.h"

namespace {

constexpr TColor kVisited = RGB(130, 95, 70);

class WsURLLabelTest : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form;
    TWsURLLabel* link = nullptr;
    int clicks = 0;

    void SetUp() override {
        form = MakeShownForm(300, 60, clWhite);
        link = form->InsertControl(std::make_unique<TWsURLLabel>());
        link->SetBounds(10, 10, 147, 13);
        TFont font;
        font.SetName("Verdana");
        font.SetHeight(-11);
        font.SetColor(clBlue);
        font.SetStyle(fsUnderline);
        link->SetFont(font);
        link->SetTransparent(true);
        link->SetUnvisitedColor(clBlue);
        link->SetVisitedColor(kVisited);
        link->SetCaption("www.example.org");
        link->SetURL("https://www.example.org");
        link->OnClick = [this](TObject*) { ++clicks; };
        form->UpdateWindow();
    }
    void ClickLink() { host.Click(WindowOf(*form), link->Left() + 5, link->Top() + 5); }
    bool HasInk(TColor c) {
        for (int y = link->Top(); y < link->Top() + link->Height(); ++y)
            for (int x = link->Left(); x < link->Left() + link->Width(); ++x)
                if (WindowOf(*form).PixelColor(x, y) == c) return true;
        return false;
    }
};

TEST_F(WsURLLabelTest, ClickOpensTheAddressAndTurnsTheVisitedColour) {
    EXPECT_TRUE(HasInk(clBlue)) << "the underline is drawn in the unvisited colour";
    ClickLink();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(host.OpenedURLs(), (std::vector<std::string>{"https://www.example.org"}));
    EXPECT_TRUE(link->Visited());
    EXPECT_EQ(link->Font().Color(), kVisited);
    EXPECT_TRUE(HasInk(kVisited));
    EXPECT_FALSE(HasInk(clBlue));
}

TEST_F(WsURLLabelTest, OnlyTrimmedWebAndMailAddressesAreOpened) {
    struct Case {
        const char* url;
        const char* opened;  // null: nothing
    };
    for (Case c :
         {Case{"  mailto:someone@example.org \t", "mailto:someone@example.org"},
          Case{"HTTP://EXAMPLE.ORG/a b", "HTTP://EXAMPLE.ORG/a b"}, Case{"", nullptr},
          Case{"   ", nullptr}, Case{"/usr/bin/xterm", nullptr},
          Case{"file:///etc/passwd", nullptr}, Case{"xterm", nullptr}, Case{"-e sh", nullptr},
          Case{"https://", nullptr}, Case{"javascript:alert(1)", nullptr},
          Case{"https://example.org/\nrm", nullptr}, Case{"C:\\x.exe", nullptr}}) {
        auto before = host.OpenedURLs().size();
        link->SetURL(c.url);
        ClickLink();
        if (c.opened) {
            ASSERT_EQ(host.OpenedURLs().size(), before + 1) << c.url;
            EXPECT_EQ(host.OpenedURLs().back(), c.opened);
        } else {
            EXPECT_EQ(host.OpenedURLs().size(), before) << "opened " << c.url;
        }
    }
    EXPECT_EQ(clicks, 12) << "OnClick comes with every click";
}

TEST_F(WsURLLabelTest, AnAddressTheDesktopCouldNotOpenStaysUnvisited) {
    host.SetOpenURLSucceeds(false);
    ClickLink();
    EXPECT_EQ(host.OpenedURLs().size(), 1u) << "it was tried";
    EXPECT_FALSE(link->Visited());
    EXPECT_EQ(link->Font().Color(), clBlue);
    EXPECT_FALSE(HasInk(kVisited));
    host.SetOpenURLSucceeds(true);
    ClickLink();
    EXPECT_TRUE(link->Visited());
}

TEST_F(WsURLLabelTest, BlankAddressDoesNotFallBackToTheCaption) {
    link->SetURL("");
    link->SetCaption("https://www.example.org");
    ClickLink();
    EXPECT_TRUE(host.OpenedURLs().empty());
    EXPECT_FALSE(link->Visited());
}

TEST_F(WsURLLabelTest, AutoSizeLeavesRoomForBordersAndTextMargin) {
    auto blueInk = [&] {
        form->UpdateWindow();
        int n = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 300; ++x) n += WindowOf(*form).PixelColor(x, y) == clBlue;
        return n;
    };
    ASSERT_TRUE(link->AutoSize());
    const int width = link->Width(), height = link->Height();
    const int plainInk = blueInk();
    ASSERT_GT(plainInk, 0);
    link->SetBorderOuter(fsRaised);  // two pixels a side
    link->SetTextMargin(3);
    EXPECT_EQ(link->Width(), width + 10);
    EXPECT_EQ(link->Height(), height + 10);
    EXPECT_EQ(blueInk(), plainInk) << "the bordered link shows all of its text";
    link->SetBorderWidth(1);
    EXPECT_EQ(link->Width(), width + 12) << "the border band counts too";
    EXPECT_EQ(blueInk(), plainInk);
}

TEST_F(WsURLLabelTest, ShowsTheHandAndVisitedComesBackOnlyByCode) {
    host.MouseMove(WindowOf(*form), link->Left() + 3, link->Top() + 3);
    EXPECT_EQ(WindowOf(*form).Cursor(), crHandPoint);
    link->SetVisited(true);
    EXPECT_EQ(link->Font().Color(), kVisited);
    link->SetVisitedColor(clRed);
    EXPECT_EQ(link->Font().Color(), clRed);
    link->SetVisited(false);
    EXPECT_EQ(link->Font().Color(), clBlue);
}

}  // namespace

namespace {

TEST_F(WsURLLabelTest, BlinkingAlternatesTheTextColourAndStopsItsTimer) {
    link->SetBlinkColor(clRed);
    link->SetBlinking(true);
    EXPECT_EQ(link->TextColor(), clBlue);
    host.Advance(TWsLabel::BlinkIntervalMs);
    EXPECT_EQ(link->TextColor(), clRed);
    EXPECT_TRUE(HasInk(clRed));
    host.Advance(TWsLabel::BlinkIntervalMs);
    EXPECT_EQ(link->TextColor(), clBlue);
    // While blinking, a font change does not take the text colour over.
    host.Advance(TWsLabel::BlinkIntervalMs);
    link->SetVisited(true);
    EXPECT_EQ(link->TextColor(), clRed);
    link->SetBlinking(false);
    EXPECT_EQ(link->TextColor(), RGB(130, 95, 70)) << "back to the font colour";
    EXPECT_EQ(app.NextDeadline(), kNoDeadline) << "no blink timer left running";
}

TEST_F(WsURLLabelTest, DisabledLinkIsEmbossedAndOpensNothing) {
    link->SetEnabled(false);
    form->UpdateWindow();
    EXPECT_TRUE(HasInk(ColorToRGB(clBtnShadow)));
    EXPECT_FALSE(HasInk(clBlue));
    ClickLink();
    EXPECT_TRUE(host.OpenedURLs().empty());
}

}  // namespace

namespace {

// The pixels on the link's outer edge, where the focus rectangle goes.
std::vector<TColor> Edge(THeadlessWindow& w, const TControl& c) {
    std::vector<TColor> out;
    for (int x = c.Left(); x < c.Left() + c.Width(); ++x) out.push_back(w.PixelColor(x, c.Top()));
    for (int y = c.Top() + 1; y < c.Top() + c.Height(); ++y)
        out.push_back(w.PixelColor(c.Left(), y));
    return out;
}

int Changed(const std::vector<TColor>& a, const std::vector<TColor>& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

TEST_F(WsURLLabelTest, TabReachesTheLinkWhichWearsAFocusRectangleAndOpensByKey) {
    auto* other = form->InsertControl(std::make_unique<TWsURLLabel>());
    other->SetBounds(10, 35, 100, 13);
    other->SetTransparent(true);
    other->SetCaption("second");
    form->UpdateWindow();
    THeadlessWindow& w = WindowOf(*form);
    const std::vector<TColor> plain = Edge(w, *link), otherPlain = Edge(w, *other);

    host.PressKey(vkTab);
    EXPECT_TRUE(link->Focused());
    EXPECT_FALSE(other->Focused());
    EXPECT_EQ(link->KeyboardStandIn(), form->ActiveControl());
    form->UpdateWindow();
    EXPECT_GE(Changed(plain, Edge(w, *link)),
              (link->Width() + 1) / 2 + (link->Height() - 1) / 2 - 3)
        << "every second pixel of the top edge and the left edge, but where a letter lies";
    EXPECT_EQ(w.PixelColor(link->Left(), link->Top()), clBlack);
    EXPECT_EQ(w.PixelColor(link->Left() + 1, link->Top()), clWhite);

    host.PressKey(vkTab);
    EXPECT_FALSE(link->Focused());
    EXPECT_TRUE(other->Focused());
    form->UpdateWindow();
    EXPECT_EQ(Edge(w, *link), plain) << "the frame goes with the focus";
    EXPECT_GT(Changed(otherPlain, Edge(w, *other)), 0);

    host.PressKey(vkTab, ssShift);
    host.PressKey(vkReturn);
    EXPECT_EQ(host.OpenedURLs(), (std::vector<std::string>{"https://www.example.org"}));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(link->Visited());

    host.PressKey(vkSpace);
    EXPECT_EQ(host.OpenedURLs().size(), 2u) << "Space opens it too";
    host.PressKey(vkReturn, ssAlt);
    EXPECT_EQ(host.OpenedURLs().size(), 2u) << "Alt+Enter is not the link's";
}

TEST_F(WsURLLabelTest, AHiddenOrDisabledLinkIsPassedByAndTheMouseStillReachesIt) {
    auto* other = form->InsertControl(std::make_unique<TWsURLLabel>());
    other->SetBounds(10, 35, 100, 13);
    for (int way = 0; way < 2; ++way) {
        if (way == 0) link->SetVisible(false);
        if (way == 1) link->SetEnabled(false);
        host.PressKey(vkTab);
        EXPECT_TRUE(other->Focused()) << "way " << way;
        host.PressKey(vkTab);
        EXPECT_TRUE(other->Focused()) << "way " << way << ": the only stop";
        link->SetVisible(true);
        link->SetEnabled(true);
    }
    host.PressKey(vkTab);
    EXPECT_TRUE(link->Focused()) << "shown and enabled again, it takes Tab again";
    ClickLink();
    EXPECT_EQ(clicks, 1) << "the stand-in takes no mouse";
    host.MouseMove(WindowOf(*form), link->Left() + 1, link->Top() + 1);
    EXPECT_EQ(WindowOf(*form).Cursor(), crHandPoint);
}

TEST_F(WsURLLabelTest, TheStandInGoesWithTheLinkAndLeavesNoStopBehind) {
    auto* other = form->InsertControl(std::make_unique<TWsURLLabel>());
    other->SetBounds(10, 35, 100, 13);
    host.PressKey(vkTab);
    ASSERT_TRUE(link->Focused());
    form->RemoveControl(link).reset();
    host.PressKey(vkTab);
    EXPECT_TRUE(other->Focused());
    host.PressKey(vkTab);
    EXPECT_TRUE(other->Focused()) << "the freed link left no tab stop";
    host.PressKey(vkReturn);
    EXPECT_TRUE(host.OpenedURLs().empty()) << "the second link has no address";
}

}  // namespace
