#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32/GdiFontEngine.h"
#else
#include "platform/freetype/FreeTypeFontEngine.h"
#endif

namespace {

// Test programs that draw text measure and render it with the real fonts of the system's own
// font engine.
class TFontEnvironment : public ::testing::Environment {
  public:
#ifdef _WIN32
    void SetUp() override {
        InstallGdiFontEngine();
    }
#else
    void SetUp() override {
        InstallFreeTypeFontEngine();
    }
#endif
};

[[maybe_unused]] const ::testing::Environment* const gFonts =
    ::testing::AddGlobalTestEnvironment(new TFontEnvironment);

}  // namespace
