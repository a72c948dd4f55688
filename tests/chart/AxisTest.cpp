#include <cmath>
#include <limits>
#include <sstream>

#include "ChartTestKit.h"

namespace {

// Values that stand on 0, as bars do.
class TOriginSeries : public TChartSeries {
  public:
    double YMinimum() override { return std::min(0.0, TChartSeries::YMinimum()); }
    double YMaximum() override { return std::max(0.0, TChartSeries::YMaximum()); }
};

class Axis : public ChartApp {
  protected:
    TChartSeries* series = nullptr;
    TChart& MakeWithSeries(int width = 669, int height = 328) {
        TChart& c = MakeChart(width, height);
        c.LeftAxis().Title().SetCaption("(小时)");
        series = c.AddSeries(std::make_unique<TOriginSeries>());
        return c;
    }
};

TEST_F(Axis, LabelsAndTicksArePlacedBeforeAnythingDraws) {
    TChart& c = MakeWithSeries(400, 200);
    for (double v : {3.0, 11.3, 0.4}) series->AddPoint(v);
    c.SetAxisBehind(false);  // the axes draw after the series
    std::vector<std::string> labels;
    std::vector<int> ticks;
    c.OnBeforeDrawSeries = [&](TObject*) {
        labels = Texts(c.LeftAxis());
        ticks = c.LeftAxis().TickPositions();
    };
    c.DrawPicture();
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), "11");
    EXPECT_EQ(labels.back(), "0");
    EXPECT_EQ(labels, Texts(c.LeftAxis()));
    EXPECT_EQ(ticks, c.LeftAxis().TickPositions());
}

TEST_F(Axis, EmptySeriesShowsASingleZeroOnBothAxesAtTheirCentres) {
    TChart& c = MakeWithSeries();
    c.DrawPicture();
    for (TChartAxis* a : {&c.LeftAxis(), &c.BottomAxis()}) {
        EXPECT_EQ(a->RangeMinimum(), 0);
        EXPECT_EQ(a->RangeMaximum(), 0);
        ASSERT_EQ(Texts(*a), (std::vector<std::string>{"0"}));
        EXPECT_EQ(a->DrawnLabels()[0].Position, a->AxisCenter());
        EXPECT_EQ(a->TickPositions(), (std::vector<int>{a->AxisCenter()}));
    }
    EXPECT_FALSE(c.TopAxis().IsShown());
    EXPECT_FALSE(c.RightAxis().IsShown());
}

TEST_F(Axis, LayoutTakesTitleLabelsAndSevenPixels) {
    TChart& c = MakeWithSeries();
    series->AddPoint(7, "2026-01-01");
    series->AddPoint(6.5, "2026-01-02");
    series->AddPoint(0, "2026-01-03");
    c.DrawPicture();
    TCanvas& canvas = c.ChartCanvas();
    canvas.Font() = c.LeftAxis().LabelsFont().Font();
    const int fh = canvas.TextHeight("W");
    EXPECT_EQ(fh, 14);
    // Bottom: label band (text height) and 7 pixels.
    EXPECT_EQ(c.PlotRect().Bottom, 314 - fh - 7);
    EXPECT_EQ(c.BottomAxis().LabelsPosition(), 314 - fh);
    // Left: title band, label band as wide as the widest label drawn plus a space, 7 pixels.
    int widest = 0;
    for (const auto& l : c.LeftAxis().DrawnLabels())
        widest = std::max(widest, canvas.TextWidth(l.Text));
    EXPECT_GT(widest, canvas.TextWidth("7"));
    EXPECT_EQ(c.LeftAxis().TitlePosition(), 21 + fh);
    EXPECT_EQ(c.LeftAxis().LabelsPosition(), 21 + fh + widest + canvas.TextWidth(" "));
    EXPECT_EQ(c.PlotRect().Left, c.LeftAxis().LabelsPosition() + 7);
    EXPECT_EQ(c.PlotRect().Top, 14);
    EXPECT_EQ(c.PlotRect().Right, 648);
}

TEST_F(Axis, StepIsTwoOrFiveAndLabelsReachZero) {
    TChart& c = MakeWithSeries(400, 150);
    for (double v : {3.0, 11.3, 0.4, 7.7}) series->AddPoint(v);
    c.DrawPicture();
    const TChartAxis& left = c.LeftAxis();
    ASSERT_GE(left.DrawnLabels().size(), 2u);
    const double step = left.DrawnLabels()[0].Value - left.DrawnLabels()[1].Value;
    EXPECT_TRUE(std::fabs(step - 2) < 1e-9 || std::fabs(step - 5) < 1e-9) << step;
    EXPECT_LE(left.DrawnLabels()[0].Value, 11.3);
    EXPECT_GT(left.DrawnLabels()[0].Value + step, 11.3);
    EXPECT_EQ(left.DrawnLabels().back().Text, "0");
    // Labels go from the top value down, each a tick.
    EXPECT_EQ(left.TickPositions().size(), left.DrawnLabels().size());
    for (std::size_t i = 1; i < left.DrawnLabels().size(); ++i)
        EXPECT_GT(left.DrawnLabels()[i].Position, left.DrawnLabels()[i - 1].Position);
}

TEST_F(Axis, TopLabelIsTheLargestMultipleDespiteRounding) {
    // 1.2 / 0.1 is 11.999...: the top label must still be 1.2 (also 1.4, 2.8).
    for (double top : {1.2, 1.4, 2.8}) {
        MakeWithSeries(400, 900);
        chart->LeftAxis().SetIncrement(0.1);
        series->AddPoint(top);
        chart->DrawPicture();
        const auto texts = Texts(chart->LeftAxis());
        ASSERT_FALSE(texts.empty());
        std::ostringstream expected;
        expected << top;
        EXPECT_EQ(texts.front(), expected.str());
        EXPECT_EQ(texts.back(), "0");
        EXPECT_EQ(texts.size(), static_cast<std::size_t>(std::lround(top * 10)) + 1);
        chart = nullptr;
        form.reset();
    }
}

TEST_F(Axis, ValueToPositionAndBack) {
    TChart& c = MakeWithSeries(400, 300);
    series->AddPoint(10);
    series->AddPoint(20);
    c.DrawPicture();
    const TChartAxis& left = c.LeftAxis();
    EXPECT_EQ(left.ValueToPosition(0), left.AxisEnd());
    EXPECT_EQ(left.ValueToPosition(20), left.AxisStart());
    EXPECT_NEAR(left.PositionToValue(left.AxisStart()), 20, 1e-9);
    EXPECT_NEAR(left.PositionToValue(left.ValueToPosition(13)), 13, 20.0 / left.AxisLength());
    EXPECT_EQ(left.ValueToPosition(1e300), -TAxisScale::PixelLimit);
    EXPECT_EQ(left.ValueToPosition(-1e300), TAxisScale::PixelLimit);
}

TEST_F(Axis, TextLabelsKeepTheirDistanceAndTheFirstIsAlwaysShown) {
    TChart& c = MakeWithSeries(300, 200);
    for (int i = 0; i < 30; ++i) {
        char label[16];
        std::snprintf(label, sizeof label, "2026-01-%02d", i + 1);
        series->AddPoint(i % 7, label);
    }
    c.DrawPicture();
    const TChartAxis& bottom = c.BottomAxis();
    const auto& labels = bottom.DrawnLabels();
    ASSERT_GE(labels.size(), 2u);
    EXPECT_LT(labels.size(), 30u);
    EXPECT_EQ(labels[0].Text, "2026-01-01");
    TCanvas& canvas = c.ChartCanvas();
    canvas.Font() = bottom.LabelsFont().Font();
    const int w = canvas.TextWidth("2026-01-01");
    // Centre distance at least 60 % of the new label plus the last drawn one's share.
    for (std::size_t i = 1; i < labels.size(); ++i) {
        const int share = i == 1 ? w / 2 : (w + w / 5) / 2;
        EXPECT_GE(labels[i].Position - labels[i - 1].Position, (w + w / 5) / 2 + share);
    }
    // Dropped labels get no tick; minor ticks fall between the ticks left.
    EXPECT_EQ(bottom.TickPositions().size(), labels.size());
}

TEST_F(Axis, TextLabelsTakeEachIndexFromTheFirstSeriesWithATextThere) {
    TChart& c = MakeWithSeries(600, 200);
    TChartSeries* second = c.AddSeries(std::make_unique<TOriginSeries>());
    const std::string longText(40, 'w');
    // The first series leaves every other index without a label, the second fills those; index 5
    // has a label in neither, index 6 a long one.
    const std::vector<std::string> first = {"a0", "", "a2", "", "a4", "", longText, ""};
    const std::vector<std::string> other = {"b0", "b1", "b2", "b3", "b4", "", "b6", "b7"};
    for (std::size_t i = 0; i < first.size(); ++i) {
        series->AddPoint(1, first[i]);
        second->AddPoint(2, other[i]);
    }
    c.BottomAxis().SetLabelsSeparation(0);
    c.DrawPicture();
    const std::vector<std::string> all = {"a0", "b1", "a2", "b3", "a4", longText, "b7"};
    EXPECT_EQ(Texts(c.BottomAxis()), all);
    const auto& labels = c.BottomAxis().DrawnLabels();
    for (std::size_t i = 1; i < labels.size(); ++i)
        EXPECT_GT(labels[i].Position, labels[i - 1].Position);
    EXPECT_EQ(labels[5].Value, 6);
    // With room kept between labels the long one would crowd "a4" and is left out; "b7" keeps
    // its distance from "a4", the last label placed, not from the one left out.
    c.BottomAxis().SetLabelsSeparation(10);
    c.DrawPicture();
    EXPECT_EQ(Texts(c.BottomAxis()),
              (std::vector<std::string>{"a0", "b1", "a2", "b3", "a4", "b7"}));
}

TEST_F(Axis, AbsurdValuesDrawSomethingAndEnd) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<double>> cases = {
        {std::nan(""), 1}, {inf, 1},           {-inf, 2}, {1e308, -1e308}, {1e308}, {5, 5, 5},
        {1e-300, 2e-300},  {1e15, 1e15 + 0.5}, {-7}};
    for (const auto& values : cases) {
        MakeWithSeries(300, 200);
        for (double v : values) series->AddPoint(v);
        chart->DrawPicture();
        EXPECT_FALSE(chart->LeftAxis().DrawnLabels().empty()) << values[0];
        EXPECT_LE(chart->LeftAxis().DrawnLabels().size(), 100u) << values[0];
        chart = nullptr;
        form.reset();
    }
}

TEST_F(Axis, TinyPlotsNeitherOverflowNorLoseTheirLabel) {
    TChart& c = MakeWithSeries(60, 40);
    series->AddPoint(1e9);
    c.DrawPicture();
    EXPECT_FALSE(c.LeftAxis().DrawnLabels().empty());
}

TEST_F(Axis, DeepZoomStepsNoFinerThanTheFormatShows) {
    // Room for about twenty labels over 0.003: a step of 0.0002 would write most of them twice
    // with three decimals. The step is the format's last digit instead.
    TChart& c = MakeWithSeries(400, 328);
    series->AddPoint(1e9);
    c.LeftAxis().FixRange(1000.0001, 1000.0031);
    c.DrawPicture();
    EXPECT_EQ(Texts(c.LeftAxis()),
              (std::vector<std::string>{"1,000.003", "1,000.002", "1,000.001"}));
}

TEST_F(Axis, LabelsExactlyAtTheEndsNeedLabelsOnAxis) {
    TChart& c = MakeWithSeries(400, 328);
    series->AddPoint(10);
    c.DrawPicture();
    const std::vector<std::string> all = Texts(c.LeftAxis());
    ASSERT_GE(all.size(), 3u);
    ASSERT_EQ(all.front(), "10");
    ASSERT_EQ(all.back(), "0");
    c.LeftAxis().SetLabelsOnAxis(false);
    c.DrawPicture();
    EXPECT_EQ(Texts(c.LeftAxis()), std::vector<std::string>(all.begin() + 1, all.end() - 1));
    // Their ticks go with them.
    for (int t : c.LeftAxis().TickPositions()) {
        EXPECT_GT(t, c.LeftAxis().AxisStart());
        EXPECT_LT(t, c.LeftAxis().AxisEnd());
    }
}

TEST_F(Axis, NegativeOffsetsStretchTheAxisBeyondThePlot) {
    TChart& c = MakeWithSeries(400, 328);
    for (int i = 0; i < 10; ++i) series->AddPoint(i);
    TChartAxis& bottom = c.BottomAxis();
    bottom.SetMinimumOffset(-20);
    bottom.SetMaximumOffset(-10);
    c.DrawPicture();
    // The first and last points lie outside the plot by the offsets.
    EXPECT_EQ(bottom.ValueToPosition(0), bottom.AxisStart() - 20);
    EXPECT_EQ(bottom.ValueToPosition(9), bottom.AxisEnd() + 10);
    EXPECT_GT(bottom.RangeMinimum(), 0);
    EXPECT_LT(bottom.RangeMaximum(), 9);
}

TEST_F(Axis, AnAxisShorterThanALabelKeepsItsZeroAndItsFirstTextLabel) {
    // Too short for a single label of text height: an empty series still shows its "0".
    TChart& c = MakeWithSeries(300, 31);
    c.DrawPicture();
    TCanvas& canvas = c.ChartCanvas();
    canvas.Font() = c.LeftAxis().LabelsFont().Font();
    ASSERT_LT(c.LeftAxis().AxisLength() * 2, canvas.TextHeight("W"));
    EXPECT_EQ(Texts(c.LeftAxis()), (std::vector<std::string>{"0"}));
    const int dateWidth = canvas.TextWidth("2026-01-01");
    // A bottom axis narrower than half a date still shows the first date.
    MakeWithSeries(26, 200);
    chart->LeftAxis().SetVisible(false);
    series->AddPoint(1, "2026-01-01");
    series->AddPoint(2, "2026-01-02");
    chart->DrawPicture();
    ASSERT_LT(chart->BottomAxis().AxisLength() * 2, dateWidth);
    EXPECT_EQ(Texts(chart->BottomAxis()), (std::vector<std::string>{"2026-01-01"}));
}

TEST_F(Axis, InvalidSettingsRaiseAndLeaveTheValue) {
    TChart& c = MakeWithSeries();
    TChartAxis& a = c.LeftAxis();
    a.SetMaximum(10);
    a.SetMinimum(2);
    auto expectThrow = [](auto&& fn, const std::string& message) {
        try {
            fn();
            ADD_FAILURE() << "no exception: " << message;
        } catch (const AxisException& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    };
    expectThrow([&] { a.SetMinimum(11); }, "Axis Minimum Value must be <= Maximum");
    expectThrow([&] { a.SetMaximum(1); }, "Axis Maximum Value must be >= Minimum");
    expectThrow([&] { a.SetIncrement(-1); }, "Axis increment must be >= 0");
    expectThrow([&] { a.SetLabelsSeparation(-1); }, "Labels Separation % must be greater than 0");
    EXPECT_EQ(a.Minimum(), 2);
    EXPECT_EQ(a.Maximum(), 10);
    EXPECT_EQ(a.LabelsSeparation(), 10);
    a.SetLabelsSeparation(0);
    EXPECT_EQ(a.LabelsSeparation(), 0);
}

TEST_F(Axis, AutomaticFlagsFollowEachOther) {
    TChart& c = MakeWithSeries();
    TChartAxis& a = c.LeftAxis();
    a.SetAutomaticMinimum(false);
    EXPECT_FALSE(a.Automatic());
    a.SetAutomaticMinimum(true);
    EXPECT_TRUE(a.Automatic());
    a.SetAutomatic(false);
    EXPECT_FALSE(a.AutomaticMaximum());
    series->AddPoint(4);
    a.SetMinMax(1, 3);
    c.DrawPicture();
    EXPECT_EQ(a.RangeMinimum(), 1);
    EXPECT_EQ(a.RangeMaximum(), 3);
}

TEST_F(Axis, DefaultFormatAndLocaleSeparators) {
    TChart& c = MakeWithSeries();
    EXPECT_EQ(c.LeftAxis().LabelText(1234.5), "1,234.5");
    EXPECT_EQ(c.LeftAxis().LabelText(0.12345), "0.123");
    EXPECT_EQ(c.LeftAxis().LabelText(10), "10");
}

}  // namespace

namespace {

class AxisPixels : public ChartApp {};

TEST_F(AxisPixels, AxisLineTicksAndTheUpwardTitle) {
    TChart& c = MakeChart(669, 328);
    c.LeftAxis().Title().SetCaption("(小时)");
    auto* s = c.AddSeries(std::make_unique<TChartSeries>());
    s->AddPoint(0, "2026-01-01");
    s->AddPoint(5, "2026-01-02");
    s->AddPoint(3, "2026-01-03");
    Paint();
    const TChartAxis& bottom = c.BottomAxis();
    const TChartAxis& left = c.LeftAxis();
    // The axis line is two pixels: the axis row and the one inside it.
    const int by = bottom.AxisPosition();
    const int t = bottom.TickPositions().at(1);
    EXPECT_EQ(Pixel(t + 3, by), clBlack);
    EXPECT_EQ(Pixel(t + 3, by - 1), clBlack);
    // Ticks: four grey pixels starting on the first pixel beyond the line.
    for (int y = by + 1; y <= by + 4; ++y) EXPECT_EQ(Pixel(t, y), clGray) << y;
    EXPECT_EQ(Pixel(t, by + 5), clWhite);
    const int lx = left.AxisPosition();
    const int lt = left.TickPositions().at(1);
    for (int x = lx - 5; x <= lx - 2; ++x) EXPECT_EQ(Pixel(x, lt), clGray) << x;
    EXPECT_EQ(Pixel(lx - 6, lt), clWhite);
    // Minor ticks: two pixels, three between two ticks.
    const int t0 = left.TickPositions()[0], t1 = left.TickPositions()[1];
    int minors = 0;
    for (int y = t0 + 1; y < t1; ++y)
        if (Pixel(lx - 2, y) == clGray) {
            ++minors;
            EXPECT_EQ(Pixel(lx - 3, y), clGray);
            EXPECT_EQ(Pixel(lx - 4, y), clWhite);
        }
    EXPECT_EQ(minors, 3);
    // The title reads upwards in the band left of the labels: its ink is taller than wide,
    // lies within one text height left of TitlePosition and is centred on the axis.
    const int right = left.TitlePosition();
    int top = 1 << 20, bottomInk = -1, leftInk = 1 << 20, rightInk = -1;
    for (int y = c.PlotRect().Top; y < c.PlotRect().Bottom; ++y)
        for (int x = 1; x < right + 2; ++x)
            if (Pixel(x, y) != clWhite) {
                top = std::min(top, y);
                bottomInk = std::max(bottomInk, y);
                leftInk = std::min(leftInk, x);
                rightInk = std::max(rightInk, x);
            }
    ASSERT_GE(bottomInk, 0);
    EXPECT_GE(leftInk, right - 14);
    EXPECT_LT(rightInk, right);
    EXPECT_GT(bottomInk - top, 2 * (rightInk - leftInk));
    EXPECT_NEAR((top + bottomInk) / 2.0, left.AxisCenter(), 2);
}

}  // namespace
