#include <gtest/gtest.h>

#include "platform/freetype/FreeTypeFontEngine.h"

namespace {

// Test programs that draw text measure and render it with the real fonts.
class TFontEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { InstallFreeTypeFontEngine(); }
};

[[maybe_unused]] const ::testing::Environment* const gFonts =
    ::testing::AddGlobalTestEnvironment(new TFontEnvironment);

}  // namespace
