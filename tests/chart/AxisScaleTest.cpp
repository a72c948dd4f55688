#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "chart/AxisScale.h"

namespace {

// A scale over pixels [start, end] showing [lo, hi].
TAxisScale Scale(bool horizontal, int start, int end, double lo, double hi) {
    TAxisScale s(horizontal);
    s.SetSpan(start, end - start, 0, 100);
    s.SetRange(lo, hi);
    return s;
}

// Offers the labels one after another, as a chart offers its points.
TAxisLabelCandidates Offer(const std::vector<TAxisLabel>& labels) {
    return [&labels](const TAxisLabelVisit& visit) {
        for (const auto& l : labels) visit(l.Value, l.Text);
    };
}

std::vector<int> Positions(const std::vector<TAxisLabel>& labels) {
    std::vector<int> out;
    for (const auto& l : labels) out.push_back(l.Position);
    return out;
}

}  // namespace

TEST(AxisScale, NextStepFollowsOneTwoFive) {
    const std::vector<std::pair<double, double>> cases = {
        {1, 2},      {1.5, 2},          {2, 5},
        {3, 5},      {5, 10},           {9.99, 10},
        {10, 20},    {20, 50},          {0.2, 0.5},
        {0.05, 0.1}, {120, 200},        {0, 1},
        {-3, 1},     {std::nan(""), 1}, {std::numeric_limits<double>::infinity(), 1}};
    for (auto [x, expected] : cases) EXPECT_DOUBLE_EQ(TAxisScale::NextStep(x), expected) << x;
}

TEST(AxisScale, MapsValuesToPixelsBothWaysOnEitherKindOfAxis) {
    const TAxisScale h = Scale(true, 100, 300, 0, 10);
    EXPECT_EQ(h.ValueToPosition(0), 100);
    EXPECT_EQ(h.ValueToPosition(10), 300);
    EXPECT_EQ(h.ValueToPosition(2.5), 150);
    EXPECT_DOUBLE_EQ(h.PositionToValue(250), 7.5);
    // Vertical values grow upwards: the minimum sits at the end of the span.
    const TAxisScale v = Scale(false, 100, 300, 0, 10);
    EXPECT_EQ(v.ValueToPosition(0), 300);
    EXPECT_EQ(v.ValueToPosition(10), 100);
    EXPECT_EQ(v.ValueToPosition(2.5), 250);
    EXPECT_DOUBLE_EQ(v.PositionToValue(150), 7.5);
    EXPECT_DOUBLE_EQ(v.PixelsPerUnit(), 20);
}

TEST(AxisScale, DegenerateRangesAndSpansStayOnTheAxis) {
    // A zero range puts every value at the centre.
    const TAxisScale zero = Scale(true, 10, 31, 4, 4);
    EXPECT_TRUE(zero.ZeroRange());
    EXPECT_EQ(zero.ValueToPosition(-1e9), 20);
    EXPECT_EQ(zero.ValueToPosition(4), 20);
    // Ends that are not numbers or beyond any screen are pulled in; positions are clamped.
    const TAxisScale wild = Scale(false, 0, 100, std::nan(""), std::numeric_limits<double>::max());
    EXPECT_EQ(wild.Minimum(), 0);
    EXPECT_EQ(wild.Maximum(), 1e300);
    EXPECT_TRUE(std::isfinite(wild.Size()));
    const TAxisScale h = Scale(true, 0, 100, 0, 1);
    EXPECT_EQ(h.ValueToPosition(1e300), TAxisScale::PixelLimit);
    EXPECT_EQ(h.ValueToPosition(-1e300), -TAxisScale::PixelLimit);
    EXPECT_EQ(h.ValueToPosition(std::nan("")), 0);
    // A span shorter than a pixel shows only the minimum.
    const TAxisScale dot = Scale(true, 5, 5, 3, 9);
    EXPECT_EQ(dot.PositionToValue(100), 3);
}

TEST(AxisScale, SpanTakesItsShareOfThePlot) {
    TAxisScale s(true);
    s.SetSpan(50, 200, 10, 90);
    EXPECT_EQ(s.Start(), 70);
    EXPECT_EQ(s.End(), 230);
    EXPECT_EQ(s.Center(), 150);
    s.SetSpan(0, 2000000000, 0, 100);
    EXPECT_EQ(s.End(), TAxisScale::PixelLimit);
}

TEST(AxisScale, MarginsWidenTheRangeAndKeepTheSpan) {
    TAxisScale s = Scale(true, 0, 100, 0, 10);
    s.ApplyMargins(10, 30);
    EXPECT_EQ(s.Start(), 0);
    EXPECT_EQ(s.End(), 100);
    EXPECT_EQ(s.ValueToPosition(0), 10);
    EXPECT_EQ(s.ValueToPosition(10), 70);
    EXPECT_DOUBLE_EQ(s.Minimum(), -10.0 / 6);
    EXPECT_DOUBLE_EQ(s.Maximum(), 10 + 30.0 / 6);
    // Margins that meet leave the range as it was, and so does a zero range.
    TAxisScale full = Scale(true, 0, 100, 0, 10);
    full.ApplyMargins(60, 40);
    EXPECT_EQ(full.Minimum(), 0);
    EXPECT_EQ(full.Maximum(), 10);
    TAxisScale zero = Scale(true, 0, 100, 5, 5);
    zero.ApplyMargins(10, 10);
    EXPECT_EQ(zero.Minimum(), 5);
    EXPECT_EQ(zero.Maximum(), 5);
}

TEST(AxisScale, LabelStepLeavesRoomForEveryLabel) {
    const auto ten = [](double) { return 10; };
    TAxisStepRule rule;
    // 100 pixels, labels 10 wide plus 10 %: nine fit, so 0..100 is labelled every 20.
    EXPECT_EQ(Scale(true, 0, 100, 0, 100).LabelStep(rule, ten), 20);
    // A fixed increment stays while its labels fit and is raised when they do not.
    rule.Increment = 7;
    EXPECT_EQ(Scale(true, 0, 1000, 0, 100).LabelStep(rule, ten), 7);
    EXPECT_EQ(Scale(true, 0, 100, 0, 100).LabelStep(rule, ten), 20);
    // Wider labels need a wider step.
    rule.Increment = 0;
    EXPECT_EQ(Scale(true, 0, 100, 0, 100).LabelStep(rule, [](double) { return 30; }), 50);
    // A label wider than the axis: no value label at all, but text labels still get a step.
    const auto wide = [](double) { return 200; };
    EXPECT_EQ(Scale(true, 0, 100, 0, 100).LabelStep(rule, wide), 0);
    rule.ValueLabels = false;
    EXPECT_GT(Scale(true, 0, 100, 0, 100).LabelStep(rule, wide), 0);
}

TEST(AxisScale, LabelStepHonoursTheFormatAndFewPoints) {
    const auto ten = [](double) { return 10; };
    TAxisStepRule rule;
    rule.FinestStep = 0.01;
    EXPECT_EQ(Scale(true, 0, 1000, 0, 0.001).LabelStep(rule, ten), 0.01);
    // Three points along 1000 pixels: one label per point, never between them.
    rule.FinestStep = 0;
    rule.FewestPointsAlong = 3;
    EXPECT_EQ(Scale(true, 0, 1000, 0, 3).LabelStep(rule, ten), 1);
    rule.FewestPointsAlong = -1;
    EXPECT_EQ(Scale(true, 0, 1000, 0, 3).LabelStep(rule, ten), 0.05);
}

TEST(AxisScale, LabelValuesAreMultiplesOfTheStepFromTheTop) {
    const TAxisScale s = Scale(false, 0, 100, 0, 11.3);
    EXPECT_EQ(s.LabelValues(2, true), (std::vector<double>{10, 8, 6, 4, 2, 0}));
    const std::vector<double> loose = s.LabelValues(2, false);
    ASSERT_EQ(loose.size(), 6u);
    EXPECT_DOUBLE_EQ(loose.front(), 11.3);
    EXPECT_DOUBLE_EQ(loose.back(), 1.3);
    // 1.2 / 0.1 is 11.999...: the top label is still 1.2.
    const std::vector<double> tenths = Scale(false, 0, 100, 0.1, 1.2).LabelValues(0.1, true);
    ASSERT_EQ(tenths.size(), 12u);
    EXPECT_DOUBLE_EQ(tenths.front(), 1.2);
    EXPECT_DOUBLE_EQ(tenths.back(), 0.1);
    EXPECT_EQ(Scale(false, 0, 100, 5, 5).LabelValues(1, true), (std::vector<double>{5}));
    EXPECT_TRUE(s.LabelValues(0, true).empty());
    EXPECT_TRUE(s.LabelValues(1e-9, true).empty());  // far too many to draw
}

TEST(AxisScale, ValueMarksFollowTheRule) {
    const TAxisScale s = Scale(true, 0, 100, 0, 10);
    const auto text = [](double v) { return std::to_string(static_cast<int>(v)); };
    TAxisMarkRule rule;
    TAxisMarks all = s.ValueMarks(5, true, rule, text);
    EXPECT_EQ(Positions(all.Labels), (std::vector<int>{100, 50, 0}));
    EXPECT_EQ(all.Labels[1].Text, "5");
    EXPECT_EQ(all.Ticks, (std::vector<int>{100, 50, 0}));
    // Off the ends: the labels there go, and with them their ticks unless every value has one.
    rule.LabelsOnAxis = false;
    TAxisMarks inner = s.ValueMarks(5, true, rule, text);
    EXPECT_EQ(Positions(inner.Labels), (std::vector<int>{50}));
    EXPECT_EQ(inner.Ticks, (std::vector<int>{50}));
    rule.TickOnLabelsOnly = false;
    EXPECT_EQ(s.ValueMarks(5, true, rule, text).Ticks, (std::vector<int>{100, 50, 0}));
    rule.Labels = false;
    TAxisMarks bare = s.ValueMarks(5, true, rule, text);
    EXPECT_TRUE(bare.Labels.empty());
    EXPECT_EQ(bare.Ticks.size(), 3u);
}

TEST(AxisScale, TextMarksSkipLabelsThatWouldCrowd) {
    const TAxisScale s = Scale(true, 0, 100, 0, 10);
    const std::vector<TAxisLabel> candidates = {{0, "a"}, {1, "b"},       {2, "c"},
                                                {5, "d"}, {12, "beyond"}, {-1, "before"}};
    const auto width = [](const std::string&) { return 16; };
    TAxisMarkRule rule;
    // Half a label and half the next plus 10 % of each: 0 and 10 apart is too close, 20 is not.
    TAxisMarks marks = s.TextMarks(Offer(candidates), rule, width);
    EXPECT_EQ(Positions(marks.Labels), (std::vector<int>{0, 20, 50}));
    EXPECT_EQ(marks.Ticks, (std::vector<int>{0, 20, 50}));
    rule.LabelsSeparation = 0;
    EXPECT_EQ(Positions(s.TextMarks(Offer(candidates), rule, width).Labels),
              (std::vector<int>{0, 10, 20, 50}));
    rule.Labels = false;
    rule.TickOnLabelsOnly = false;
    TAxisMarks ticks = s.TextMarks(Offer(candidates), rule, width);
    EXPECT_TRUE(ticks.Labels.empty());
    EXPECT_EQ(ticks.Ticks, (std::vector<int>{0, 10, 20, 50}));
}
