#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ListView.h"
#include "framework/Timer.h"
#include "platform/headless/HeadlessHost.h"

namespace {

// A screen that reports few colours and a one-row wheel step, as a platform host would.
class TFewColourHost : public THeadlessHost {
  public:
    TDisplaySettings DisplaySettings() const override {
        TDisplaySettings settings;
        settings.FullColor = false;
        settings.WheelScrollLines = 1;
        return settings;
    }
};

// One application on its own host, with a shown form holding a report list of 100 rows.
struct TSide {
    std::unique_ptr<THeadlessHost> host;
    std::unique_ptr<TApplication> app;
    std::unique_ptr<TForm> form;
    TCustomListView* list = nullptr;

    explicit TSide(std::unique_ptr<THeadlessHost> h) : host(std::move(h)) {
        app = std::make_unique<TApplication>(*host);
        form = MakeForm<TForm>(app.get());
        form->SetClientWidth(300);
        form->SetClientHeight(200);
        list = form->InsertControl(std::make_unique<TCustomListView>());
        list->SetBounds(0, 0, 300, 200);
        list->SetViewStyle(vsReport);
        list->Columns().Add()->SetWidth(100);
        for (int i = 0; i < 100; ++i) list->Items().Add("row " + std::to_string(i), {});
        form->Show();
        host->Advance(1);
    }
    THeadlessWindow& Window() { return *static_cast<THeadlessWindow*>(form->HostWindow()); }
    int TopAfterOneNotch() {
        list->SetTopIndex(0);
        host->Wheel(Window(), 50, 100, -1);
        return list->TopIndex();
    }
};

TEST(TwoApplications, EachFormAndControlReachesItsOwnApplication) {
    TSide one(std::make_unique<THeadlessHost>());
    TSide two(std::make_unique<THeadlessHost>());
    EXPECT_EQ(TApplication::Default(), two.app.get()) << "the newest is the default";
    EXPECT_EQ(one.list->Application(), one.app.get());
    EXPECT_EQ(two.list->Application(), two.app.get());
    EXPECT_EQ(one.app->Forms(), std::vector<TForm*>{one.form.get()});
    EXPECT_EQ(two.app->Forms(), std::vector<TForm*>{two.form.get()});
    ASSERT_NE(one.form->HostWindow(), nullptr);
    EXPECT_EQ(one.host->Windows().size(), 1u) << "a form's window is made on its own host";
    EXPECT_EQ(two.host->Windows().size(), 1u);
    // A form owned by a form of the first application belongs to the first, however new the
    // second is.
    auto dialog = MakeForm<TForm>(one.form.get());
    EXPECT_EQ(dialog->Application(), one.app.get());
}

TEST(TwoApplications, SettingsComeFromEachHostAndChangeOnlyTheirOwnControls) {
    TSide plain(std::make_unique<THeadlessHost>());
    TSide few(std::make_unique<TFewColourHost>());
    EXPECT_TRUE(plain.list->Display().FullColor);
    EXPECT_FALSE(few.list->Display().FullColor);
    EXPECT_EQ(plain.TopAfterOneNotch(), 3);
    EXPECT_EQ(few.TopAfterOneNotch(), 1);

    plain.app->Display().WheelScrollLines = 5;
    EXPECT_EQ(plain.TopAfterOneNotch(), 5);
    EXPECT_EQ(few.TopAfterOneNotch(), 1) << "the other application keeps its setting";
    EXPECT_EQ(few.app->Display().WheelScrollLines, 1u);

    // A control on no form has the defaults, whatever any application was told.
    TCustomListView loose;
    EXPECT_EQ(loose.Application(), nullptr);
    EXPECT_EQ(loose.Display().WheelScrollLines, 3u);
}

TEST(TwoApplications, AControlsTimerRunsOnTheClockOfItsOwnApplication) {
    TSide one(std::make_unique<THeadlessHost>());
    TSide two(std::make_unique<THeadlessHost>());
    std::vector<std::string> fired;
    TTimer first(one.list);
    first.SetInterval(100);
    first.OnTimer = [&](TObject*) { fired.push_back("first@" + std::to_string(one.host->Now())); };
    TTimer unowned;  // joins the default, the newest application
    unowned.SetInterval(100);
    unowned.OnTimer = [&](TObject*) { fired.push_back("unowned"); };

    two.host->Advance(250);
    EXPECT_EQ(fired, (std::vector<std::string>{"unowned", "unowned"}));
    fired.clear();
    one.host->Advance(250);
    EXPECT_EQ(fired, (std::vector<std::string>{"first@101", "first@201"}));
}

TEST(TwoApplications, ATimerOfAGoneApplicationNeverStopsANewOnesTimer) {
    THeadlessHost oldHost;
    auto old = std::make_unique<TApplication>(oldHost);
    TTimer stale;  // the old application's first timer
    stale.SetInterval(100);
    old.reset();

    THeadlessHost host;
    TApplication app(host);
    int fired = 0;
    app.SetTimer(100, [&] { ++fired; });  // the same first id in a new queue
    stale.SetEnabled(false);
    host.Advance(250);
    EXPECT_EQ(fired, 2);
}

TEST(TwoApplications, AFormOutlivingItsApplicationLetsGoOfIt) {
    THeadlessHost host;
    auto app = std::make_unique<TApplication>(host);
    auto form = MakeForm<TForm>(app.get());
    TTimer timer(form.get());
    timer.SetInterval(50);
    EXPECT_EQ(form->Application(), app.get());
    app.reset();
    EXPECT_EQ(form->Application(), nullptr);
    EXPECT_EQ(TApplication::Default(), nullptr);
    timer.SetInterval(60);  // nothing to run on: it waits, harmlessly
    form->Show();
    EXPECT_EQ(form->HostWindow(), nullptr);
}

}  // namespace
