#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/FormatSettings.h"
#include "base/NumberFormat.h"
#include "base/Rounding.h"

namespace {

class FormatNumber : public ::testing::Test {
  protected:
    void TearDown() override { SetFormatSettings(TFormatSettings{}); }
    void UseSeparators(const char* decimal, const char* thousands) {
        TFormatSettings s;
        s.DecimalSeparator = decimal;
        s.ThousandSeparator = thousands;
        SetFormatSettings(s);
    }
};

TEST_F(FormatNumber, ValuePattern) {
    const char* p = "#,##0.###";
    EXPECT_EQ(FormatFloat(p, 0), "0");
    EXPECT_EQ(FormatFloat(p, 0.25), "0.25");
    EXPECT_EQ(FormatFloat(p, 12), "12");
    EXPECT_EQ(FormatFloat(p, 999), "999");
    EXPECT_EQ(FormatFloat(p, 1000), "1,000");
    EXPECT_EQ(FormatFloat(p, 1234567.891), "1,234,567.891");
    EXPECT_EQ(FormatFloat(p, 2.00049), "2");
    EXPECT_EQ(FormatFloat(p, 2.1236), "2.124");
    EXPECT_EQ(FormatFloat(p, 0.9999), "1");
    EXPECT_EQ(FormatFloat(p, 999999.9996), "1,000,000");
    EXPECT_EQ(FormatFloat(p, -1234.5), "-1,234.5");
    EXPECT_EQ(FormatFloat(p, -0.0001), "0");  // no sign on a value that shows as zero
    EXPECT_EQ(FormatFloat(p, 1e20), "100,000,000,000,000,000,000");
}

TEST_F(FormatNumber, PercentPatternAddsTheLiteralWithoutScaling) {
    EXPECT_EQ(FormatFloat("##0.## %", 45.678), "45.68 %");
    EXPECT_EQ(FormatFloat("##0.## %", 100), "100 %");
    EXPECT_EQ(FormatFloat("##0.## %", 0), "0 %");
    EXPECT_EQ(FormatFloat("##0.## %", 0.004), "0 %");
    EXPECT_EQ(FormatFloat("##0.## %", 12345.5), "12345.5 %");
}

TEST_F(FormatNumber, LocaleSeparators) {
    UseSeparators(",", ".");
    EXPECT_EQ(FormatFloat("#,##0.###", 1234567.5), "1.234.567,5");
    EXPECT_EQ(FormatFloat("##0.## %", 3.25), "3,25 %");
    EXPECT_EQ(FloatToStr(-0.5), "-0,5");
    UseSeparators(",", "\u202f");
    EXPECT_EQ(FormatFloat("#,##0.###", 1234567), "1\u202f234\u202f567");
    UseSeparators(".", "");
    EXPECT_EQ(FormatFloat("#,##0.###", 1234567), "1234567");
}

TEST_F(FormatNumber, OtherPatternFeatures) {
    EXPECT_EQ(FormatFloat("0.00", 3), "3.00");
    EXPECT_EQ(FormatFloat("000", 7), "007");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("0.0#", 1.25), "1.25");
    EXPECT_EQ(FormatFloat("0.0#", 1.2), "1.2");
    EXPECT_EQ(FormatFloat("\"#\"0", 5), "#5");
    EXPECT_EQ(FormatFloat("0;(0);zero", -4), "(4)");
    EXPECT_EQ(FormatFloat("0;(0);zero", 0), "zero");
    EXPECT_EQ(FormatFloat("0.00E+00", 12345), "1.23E+04");
    EXPECT_EQ(FormatFloat("0.0E-0", 0.00012), "1.2E-4");
    EXPECT_EQ(FormatFloat("#,##0", std::nan("")), "NAN");
    EXPECT_EQ(FormatFloat("#,##0", -INFINITY), "-INF");
    EXPECT_EQ(FormatFloat("", 42), "42");
}

TEST_F(FormatNumber, GeneralFormat) {
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");  // 15 digits hide the binary residue
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(-2.5), "-2.5");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(123456789012345), "123456789012345");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1.5e20), "1.5E20");
    EXPECT_EQ(FloatToStr(0.00001), "0.00001");
    EXPECT_EQ(FloatToStr(0.000015), "0.000015");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::max()), "1.79769313486232E308");
    EXPECT_EQ(FloatToStr(INFINITY), "INF");
}

TEST(Rounding, RoundHalvesToEvenAndTruncCutsTowardZero) {
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.4999999), 2);
    EXPECT_EQ(Round(-2.5000001), -3);
    EXPECT_EQ(Round(4503599627370497.0), 4503599627370497);
    EXPECT_EQ(Trunc(1.9), 1);
    EXPECT_EQ(Trunc(-1.9), -1);
    EXPECT_EQ(Trunc(-0.2), 0);
}

TEST(Rounding, AbsurdValuesSaturate) {
    EXPECT_EQ(Round(std::nan("")), 0);
    EXPECT_EQ(Trunc(std::nan("")), 0);
    EXPECT_EQ(Round(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(Trunc(-INFINITY), std::numeric_limits<std::int64_t>::min());
}

}  // namespace
