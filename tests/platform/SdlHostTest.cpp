#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/Application.h"
#include "platform/sdl/SdlHost.h"
#include "platform/sdl/SdlKeys.h"

namespace {

TEST(SdlKeys, LettersDigitsAndNamedKeysMapToTheFrameworkCodes) {
    EXPECT_EQ(KeyFromSdl(SDLK_a), 'A');
    EXPECT_EQ(KeyFromSdl(SDLK_z), 'Z');
    EXPECT_EQ(KeyFromSdl(SDLK_0), '0');
    EXPECT_EQ(KeyFromSdl(SDLK_9), '9');
    EXPECT_EQ(KeyFromSdl(SDLK_F1), vkF1);
    EXPECT_EQ(KeyFromSdl(SDLK_F12), vkF12);
    EXPECT_EQ(KeyFromSdl(SDLK_TAB), vkTab);
    EXPECT_EQ(KeyFromSdl(SDLK_KP_ENTER), vkReturn);
    EXPECT_EQ(KeyFromSdl(SDLK_RIGHT), vkRight);
    EXPECT_EQ(KeyFromSdl(SDLK_RCTRL), vkControl);
    EXPECT_EQ(KeyFromSdl(SDLK_VOLUMEUP), 0) << "keys the framework has no code for";
    EXPECT_EQ(ModifierShift(KMOD_LSHIFT | KMOD_RALT), ssShift | ssAlt);
    EXPECT_EQ(ModifierShift(KMOD_RCTRL | KMOD_NUM), ssCtrl);
}

// A display that cannot be had is a reason the user reads, with what to do about it.
TEST(SdlHost, ADriverThatCannotStartIsRefusedWithTheReason) {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    TResult<std::unique_ptr<TSdlHost>> opened = TSdlHost::Open();
    unsetenv("SDL_VIDEODRIVER");
    ASSERT_FALSE(opened.Ok());
    const std::string advice = " (no display; set DISPLAY or use xvfb-run)";
    ASSERT_GT(opened.Error().size(), advice.size());
    EXPECT_EQ(opened.Error().substr(opened.Error().size() - advice.size()), advice);
}

// The real host on SDL's display-less driver: windows, presenting and the waiting loop.
class SdlOffscreen : public ::testing::Test {
  protected:
    void SetUp() override { setenv("SDL_VIDEODRIVER", "offscreen", 1); }
    void TearDown() override { unsetenv("SDL_VIDEODRIVER"); }
};

TEST_F(SdlOffscreen, LoopWaitsForTheDeadlineAndServesTimers) {
    TResult<std::unique_ptr<TSdlHost>> opened = TSdlHost::Open();
    if (!opened) GTEST_SKIP() << "no SDL video driver: " << opened.Error();
    TSdlHost& host = *opened.Value();
    TApplication app(host);
    auto form = MakeForm<TForm>();
    form->SetClientWidth(120);
    form->SetClientHeight(80);
    form->Show();
    ASSERT_NE(form->HostWindow(), nullptr);

    // The window's own start-up events come first.
    while (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) host.WaitEvents(host.Now());
    std::uint64_t deadline = host.Now() + 40;
    EXPECT_TRUE(host.WaitEvents(deadline));
    // Input may end a wait early, but this driver has none: it must sleep until the deadline.
    EXPECT_GE(host.Now() + 1, deadline);

    int fired = 0;
    app.SetTimer(15, [&] { ++fired; });
    app.RunLoop([&] { return fired == 2; });
    EXPECT_EQ(fired, 2);
    EXPECT_FALSE(host.OpenURL("-n"));
}

}  // namespace
