#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/SiteAddresses.h"
#include "app/UnitFormAbout.h"
#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "framework/Keys.h"
#include "graphics/Bitmap.h"
#include "platform/headless/HeadlessHost.h"
#include "widgets/WsColorMath.h"

namespace {

class FormAboutTest : public ::testing::Test {
  protected:
    THeadlessHost host;
    TApplication app{host};
    TFormVigil* main = nullptr;

    void SetUp() override {
        app.CreateForm(FormVigil);
        main = FormVigil;
        main->Show();
    }
    TFormAbout* About() {
        for (TForm* f : app.Forms())
            if (auto* a = dynamic_cast<TFormAbout*>(f)) return a;
        return nullptr;
    }
    THeadlessWindow& WindowOf(TForm* f) { return *static_cast<THeadlessWindow*>(f->HostWindow()); }
    // Opens the box as the tool button does, runs during() while it is up, and returns how
    // it ended.
    TModalResult RunAbout(const std::function<void(TFormAbout&)>& during) {
        host.Schedule(50, [&] {
            TFormAbout* about = About();
            ASSERT_NE(about, nullptr);
            during(*about);
        });
        return ShowAboutDialog(*main, MainWindowVersionText(*main));
    }
    void ClickControl(TFormAbout& about, TControl* c) {
        TPoint o = c->FormOrigin();
        host.Click(WindowOf(&about), o.X + 3, o.Y + c->Height() / 2);
    }
};

TEST_F(FormAboutTest, OpensCentredOnTheMainWindowWithItsVersionAndClosesByButton) {
    bool checked = false;
    TModalResult result = RunAbout([&](TFormAbout& about) {
        THeadlessWindow& w = WindowOf(&about);
        EXPECT_EQ(w.Caption(), "关于");
        EXPECT_EQ(w.ClientBounds().Width(), 422);
        EXPECT_EQ(w.ClientBounds().Height(), 347);
        EXPECT_EQ(w.Kind(), wkDialog);
        EXPECT_EQ(about.BorderIcons(), biSystemMenu);
        EXPECT_EQ(about.Left() + about.Width() / 2, main->Left() + main->Width() / 2);
        EXPECT_EQ(about.Top() + about.Height() / 2, main->Top() + main->Height() / 2);
        EXPECT_EQ(w.PixelColor(5, 5), clWhite);
        EXPECT_EQ(about.Font().Name(), "Arial");
        EXPECT_EQ(about.Font().Height(), -12);
        EXPECT_EQ(about.Label2->Caption(), "版本 2.9") << "never the layout's (Ver 2.6)";
        EXPECT_EQ(about.Memo1->Lines().size(), 5u);
        const TPixelBuffer& icon = about.Image1->Picture();
        ASSERT_EQ(icon.Width(), 32);
        EXPECT_EQ(icon.Row(0)[0] >> 24, 0u) << "the icon's corners let the white through";
        EXPECT_EQ(w.PixelColor(31, 24), clWhite);
        EXPECT_NE(w.PixelColor(31 + 16, 24 + 5), clWhite) << "the icon is drawn at (31, 24)";
        EXPECT_TRUE(about.Button1->Focused()) << "the close button has tab order 0";
        EXPECT_FALSE(WindowOf(main).Enabled()) << "modal";
        checked = true;
        ClickControl(about, about.Button1);
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(About(), nullptr) << "freed when it closed";
    EXPECT_TRUE(WindowOf(main).Enabled());
    EXPECT_EQ(host.ActiveWindow(), &WindowOf(main));
}

TEST_F(FormAboutTest, EscapeAndTheCloseBoxCloseItLeavingTheMainWindowAsItWas) {
    TWsTabSheet* page = main->WsPageControl1->ActivePage();
    for (int way = 0; way < 2; ++way) {
        RunAbout([&](TFormAbout& about) {
            if (way == 0)
                host.PressKey(vkEscape);
            else
                host.RequestClose(WindowOf(&about));
        });
        EXPECT_EQ(About(), nullptr) << "way " << way;
        EXPECT_TRUE(WindowOf(main).Visible());
        EXPECT_TRUE(WindowOf(main).Enabled());
        EXPECT_EQ(main->WsPageControl1->ActivePage(), page);
        EXPECT_FALSE(app.Terminated());
    }
}

TEST_F(FormAboutTest, LinksOpenTheirAddressesAndAFreshBoxStartsUnvisited) {
    RunAbout([&](TFormAbout& about) {
        EXPECT_EQ(about.WsURLLabel4->Font().Color(), clBlue);
        ClickControl(about, about.WsURLLabel4);
        ClickControl(about, about.WsURLLabel1);
        EXPECT_EQ(about.WsURLLabel4->Font().Color(), RGB(130, 95, 70));
        EXPECT_TRUE(about.WsURLLabel1->Visited());
        about.Close();
    });
    EXPECT_EQ(host.OpenedURLs(),
              (std::vector<std::string>{HomePageAddress(), "mailto:" + MailAddress()}));
    RunAbout([&](TFormAbout& about) {
        EXPECT_FALSE(about.WsURLLabel4->Visited());
        EXPECT_EQ(about.WsURLLabel4->Font().Color(), clBlue);
        about.Close();
    });
}

TEST_F(FormAboutTest, TabReachesBothLinksInOrderAndEnterOpensTheFocusedOne) {
    RunAbout([&](TFormAbout& about) {
        THeadlessWindow& w = WindowOf(&about);
        TWsURLLabel* home = about.WsURLLabel4;
        TWsURLLabel* mail = about.WsURLLabel1;
        auto corner = [&](TControl* c) {
            TPoint o = c->FormOrigin();
            return w.PixelColor(o.X, o.Y);
        };
        ASSERT_EQ(corner(home), clWhite);
        ASSERT_EQ(corner(mail), clWhite);
        std::vector<TControl*> stops;
        for (int i = 0; i < 8 && stops.size() < 3; ++i) {
            host.PressKey(vkTab);
            if (home->Focused()) stops.push_back(home);
            if (mail->Focused()) stops.push_back(mail);
            if (about.Button1->Focused()) stops.push_back(about.Button1);
            if (home->Focused()) {
                about.UpdateWindow();
                EXPECT_EQ(corner(home), clBlack) << "the dotted frame's first dot";
                EXPECT_EQ(corner(mail), clWhite);
            }
        }
        EXPECT_EQ(stops, (std::vector<TControl*>{home, mail, about.Button1}))
            << "home page, mail, then round to the close button";
        about.UpdateWindow();
        EXPECT_EQ(corner(home), clWhite) << "the frame went with the focus";
        host.PressKey(vkTab, ssShift);
        ASSERT_TRUE(mail->Focused());
        host.PressKey(vkReturn);
        EXPECT_EQ(host.OpenedURLs(), (std::vector<std::string>{"mailto:" + MailAddress()}));
        EXPECT_NE(About(), nullptr) << "Enter on a link is not the close button's";
        about.Close();
    });
}

TEST_F(FormAboutTest, TheToolButtonOpensTheBoxWithTheVersionLabelsText) {
    main->LabVer->SetCaption("版本 7.1");
    bool shown = false;
    host.Schedule(50, [&] {
        TFormAbout* about = About();
        ASSERT_NE(about, nullptr);
        shown = true;
        EXPECT_EQ(about->Label2->Caption(), "版本 7.1");
        EXPECT_EQ(about->Owner(), main);
        about->Close();
    });
    TPoint o = main->TBAbout->FormOrigin();
    host.Click(WindowOf(main), o.X + 40, o.Y + 30);
    EXPECT_TRUE(shown);
    EXPECT_EQ(About(), nullptr);
}

// How many pixels of a control show exactly one colour.
int CountColour(const THeadlessWindow& w, const TControl* c, TColor colour) {
    const TPoint o = c->FormOrigin();
    int n = 0;
    for (int y = o.Y; y < o.Y + c->Height(); ++y)
        for (int x = o.X; x < o.X + c->Width(); ++x) n += w.PixelColor(x, y) == colour;
    return n;
}

TEST_F(FormAboutTest, TitleVersionButtonAndLinksShowTheirColours) {
    RunAbout([&](TFormAbout& about) {
        const THeadlessWindow& w = WindowOf(&about);
        // Bold letters have solid strokes in their exact colour, on the white dialog.
        EXPECT_GT(CountColour(w, about.Label1, RGB(0x14, 0x76, 0x1F)), 40) << "dark green";
        EXPECT_GT(CountColour(w, about.Label2, RGB(128, 0, 128)), 30) << "purple";
        // The close button: its inner frame in dark blue, its face shaded around pale blue.
        const TPoint b = about.Button1->FormOrigin();
        const int midY = b.Y + about.Button1->Height() / 2;
        EXPECT_EQ(w.PixelColor(b.X + 1, midY), RGB(0, 60, 116));
        EXPECT_EQ(w.PixelColor(b.X + 44, b.Y + 1), RGB(0, 60, 116));
        const TColor face = w.PixelColor(b.X + 10, midY);
        const TColor light = Lighten(RGB(190, 218, 241), 30), dark = Darken(RGB(190, 218, 241), 10);
        EXPECT_GE(GetBValue(face), GetBValue(dark));
        EXPECT_LE(GetBValue(face), GetBValue(light));
        EXPECT_GE(GetRValue(face), GetRValue(dark));
        EXPECT_LE(GetRValue(face), GetRValue(light));
        EXPECT_GT(GetBValue(face), GetRValue(face) + 20) << "pale blue, not the grey button face";
        // The links: blue Verdana text of height 11 with a blue underline as long as the text.
        for (const TWsURLLabel* link : {about.WsURLLabel4, about.WsURLLabel1}) {
            TBitmap probe(1, 1);
            TFont verdana;
            verdana.SetName("Verdana");
            verdana.SetHeight(-11);
            probe.Canvas().Font() = verdana;
            const int textWidth = probe.Canvas().TextWidth(link->Caption());
            const TPoint o = link->FormOrigin();
            int longestBlueRow = 0;
            for (int y = o.Y; y < o.Y + link->Height(); ++y) {
                int run = 0;
                for (int x = o.X; x < o.X + link->Width(); ++x) run += w.PixelColor(x, y) == clBlue;
                longestBlueRow = std::max(longestBlueRow, run);
            }
            EXPECT_GE(longestBlueRow, textWidth - 1) << link->Caption();
            EXPECT_LE(longestBlueRow, textWidth + 1) << link->Caption();
        }
        about.Close();
    });
}

TEST_F(FormAboutTest, TheLinksShowWhatTheyOpen) {
    RunAbout([&](TFormAbout& about) {
        ClickControl(about, about.WsURLLabel4);
        ClickControl(about, about.WsURLLabel1);
        EXPECT_EQ(host.OpenedURLs(),
                  (std::vector<std::string>{about.WsURLLabel4->Caption(),
                                            "mailto:" + about.WsURLLabel1->Caption()}));
        about.Close();
    });
    // The update button opens the program's page on the site the home link shows.
    const std::string home = host.OpenedURLs()[0];
    const TPoint o = main->TBUpdate->FormOrigin();
    host.MouseMove(WindowOf(main), o.X + 40, o.Y + 30);
    host.Click(WindowOf(main), o.X + 40, o.Y + 30);
    ASSERT_EQ(host.OpenedURLs().size(), 3u);
    EXPECT_EQ(host.OpenedURLs()[2], home + "/vigil.html");
}

}  // namespace
