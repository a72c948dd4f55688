#include <gtest/gtest.h>

#include "app/Platform.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Timer.h"

namespace {

TEST(OffscreenHost, DrawsWindowsInMemoryAndMovesTimeOnlyWhenTold) {
    TOffscreenHost host;
    TApplication app(host.Host());
    EXPECT_EQ(host.Pixels(nullptr), nullptr);

    auto form = MakeForm<TForm>();
    form->SetClientWidth(120);
    form->SetClientHeight(70);
    form->SetColor(clRed);
    int ticks = 0;
    TTimer timer(form.get());
    timer.SetInterval(500);
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        form->SetColor(clBlue);
    };
    form->Show();

    host.Advance(499);
    EXPECT_EQ(ticks, 0);
    const TPixelBuffer* pixels = host.Pixels(form->HostWindow());
    ASSERT_NE(pixels, nullptr);
    ASSERT_EQ(pixels->Width(), 120);
    ASSERT_EQ(pixels->Height(), 70);
    EXPECT_EQ(RGBFromPixel(pixels->Row(35)[60]), clRed);

    // The timer's change is painted before Advance returns.
    host.Advance(1);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(RGBFromPixel(host.Pixels(form->HostWindow())->Row(35)[60]), clBlue);
}

}  // namespace
