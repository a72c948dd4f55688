#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/ChartSeries.h"

namespace {

std::vector<double> Column(const TChartValueList& list) {
    std::vector<double> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

TEST(SeriesData, ColourListAppearsWithTheFirstExplicitColour) {
    TChartSeries s;
    s.AddPoint(1);
    s.AddPoint(2, "", clDefault);
    EXPECT_FALSE(s.HasColorList());
    s.AddPoint(3, "", clBlue);
    ASSERT_TRUE(s.HasColorList());
    s.SetColorEachPoint(false);
    s.SetSeriesColor(clGreen);
    // Earlier points have clDefault, which resolves to the series colour.
    EXPECT_EQ(s.PointColor(0), clGreen);
    EXPECT_EQ(s.PointColor(1), clGreen);
    EXPECT_EQ(s.PointColor(2), clBlue);
    s.ClearPoints();
    EXPECT_FALSE(s.HasColorList());
}

TEST(SeriesData, AscendingXMovesYAndLabelsAlongAndKeepsEqualXInAddingOrder) {
    TChartSeries s;
    s.AddPointXY(3, 30, "c");
    s.AddPointXY(1, 10, "a");
    EXPECT_EQ(s.AddPointXY(2, 20, "b"), 1);
    EXPECT_EQ(Column(s.XValues()), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Column(s.YValues()), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(s.PointLabel(0), "a");
    EXPECT_EQ(s.PointLabel(2), "c");
    // A second X of 2 goes after the first one.
    EXPECT_EQ(s.AddPointXY(2, 21, "b2"), 2);
    EXPECT_EQ(Column(s.YValues()), (std::vector<double>{10, 20, 21, 30}));
    EXPECT_EQ(s.PointLabel(2), "b2");
}

TEST(SeriesData, DescendingAndUnorderedInsertion) {
    TChartSeries s;
    s.XValues().SetOrder(loDescending);
    for (double x : {1.0, 3.0, 2.0, 3.0}) s.AddPointXY(x, x * 10);
    EXPECT_EQ(Column(s.XValues()), (std::vector<double>{3, 3, 2, 1}));
    TChartSeries u;
    u.XValues().SetOrder(loNone);
    for (double x : {1.0, 3.0, 2.0}) u.AddPointXY(x, 0);
    EXPECT_EQ(Column(u.XValues()), (std::vector<double>{1, 3, 2}));
}

TEST(SeriesData, AddPointNumbersXFromZeroAgainAfterAClear) {
    TChartSeries s;
    s.AddPoint(5);
    s.AddPoint(6);
    EXPECT_EQ(Column(s.XValues()), (std::vector<double>{0, 1}));
    s.ClearPoints();
    EXPECT_EQ(s.PointCount(), 0);
    s.AddPoint(7);
    EXPECT_EQ(s.XValueAt(0), 0);
    EXPECT_EQ(s.YValueAt(0), 7);
}

TEST(SeriesData, PaletteColoursPointsAndWrapsAfterTwenty) {
    const std::vector<TColor> expected = {0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF,
                                          0x808080, 0xFF00FF, 0x808000, 0x800000, 0x000080,
                                          0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00,
                                          0x000000, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
    EXPECT_EQ(DefaultPalette(), expected);
    TChartSeries s;
    s.SetColorEachPoint(true);
    for (int i = 0; i < 21; ++i) s.AddPoint(i);
    EXPECT_EQ(s.PointColor(0), clRed);
    EXPECT_EQ(s.PointColor(4), clWhite);
    EXPECT_EQ(s.PointColor(20), clRed);
    EXPECT_FALSE(s.HasColorList());
}

TEST(SeriesData, StatisticsAreLazyAndEmptyListsReadZero) {
    TChartSeries s;
    EXPECT_EQ(s.XValues().MinimumValue(), 0);
    EXPECT_EQ(s.YValues().MaximumValue(), 0);
    EXPECT_EQ(s.YValues().TotalValue(), 0);
    s.AddPoint(-2);
    s.AddPoint(5);
    s.AddPoint(1);
    EXPECT_TRUE(s.YValues().StatsStale());
    EXPECT_EQ(s.YValues().MinimumValue(), -2);
    EXPECT_FALSE(s.YValues().StatsStale());
    EXPECT_EQ(s.YValues().MaximumValue(), 5);
    EXPECT_EQ(s.YValues().TotalValue(), 4);
    EXPECT_EQ(s.YValues().TotalAbsValue(), 8);
    EXPECT_EQ(s.YValues().ValueRange(), 7);
    s.DeletePoint(1);
    EXPECT_TRUE(s.YValues().StatsStale());
    EXPECT_EQ(s.YValues().MaximumValue(), 1);
}

TEST(SeriesData, ArraysGrowInStepsOfAThousand) {
    TChartSeries s;
    EXPECT_EQ(s.XValues().Capacity(), 0);
    s.AddPoint(1);
    EXPECT_EQ(s.XValues().Capacity(), 1000);
    for (int i = 1; i < 1001; ++i) s.AddPoint(i);
    EXPECT_EQ(s.YValues().Capacity(), 2000);
    EXPECT_EQ(s.YValueAt(1000), 1000);
    s.ClearPoints();
    EXPECT_EQ(s.XValues().Capacity(), 0);
}

TEST(SeriesData, DeletePointOutOfBoundsRaisesAndChangesNothing) {
    TChartSeries s;
    s.AddPoint(1, "a");
    s.AddPoint(2, "b");
    for (int bad : {2, -1}) {
        try {
            s.DeletePoint(bad);
            ADD_FAILURE() << "no exception for " << bad;
        } catch (const ChartException& e) {
            EXPECT_EQ(std::string(e.what()), "Series Delete: ValueIndex " + std::to_string(bad) +
                                                 " out of bounds (0 to 1).");
        }
    }
    EXPECT_EQ(s.PointCount(), 2);
    s.DeletePoint(0);
    EXPECT_EQ(s.PointLabel(0), "b");
    EXPECT_EQ(s.YValueAt(0), 2);
}

TEST(SeriesData, LabelsListStaysEmptyUntilTheFirstLabel) {
    TChartSeries s;
    s.AddPoint(1);
    s.AddPoint(2);
    EXPECT_FALSE(s.HasLabels());
    s.AddPoint(3, "third");
    s.AddPoint(4);
    EXPECT_EQ(s.PointLabel(0), "");
    EXPECT_EQ(s.PointLabel(2), "third");
    EXPECT_EQ(s.PointLabel(3), "");
    EXPECT_EQ(s.PointLabel(99), "");
}

struct MarkCase {
    TSeriesMarksStyle style;
    bool multiLine;
    int index;
    std::string expected;
};

TEST(SeriesData, MarkTextByStyle) {
    TChartSeries s;
    s.SetName("Series1");
    s.AddPoint(12.5, "2026-12-01");
    s.AddPoint(0, "2026-12-02");
    s.AddPoint(1234.5678);
    s.AddPoint(-12.5, "neg");
    // Total of absolutes: 12.5 + 0 + 1234.5678 + 12.5 = 1259.5678.
    const std::vector<MarkCase> cases = {
        {smsLabelValue, false, 0, "2026-12-01 12.5"},
        {smsLabelValue, false, 1, "2026-12-02 0"},
        {smsLabelValue, false, 2, "1,234.568 1,234.568"},
        {smsLabelValue, true, 0, "2026-12-01\r12.5"},
        {smsLabel, false, 2, "1,234.568"},
        {smsValue, false, 3, "-12.5"},
        {smsPercent, false, 0, "0.99 %"},
        {smsPercent, false, 3, "0.99 %"},
        {smsLabelPercent, false, 1, "2026-12-02 0 %"},
        {smsPercentTotal, false, 0, "0.99 % of 1,259.568"},
        {smsPercentTotal, true, 0, "0.99 %\rof 1,259.568"},
        {smsXValue, false, 2, "2"},
        {smsXY, false, 0, "0 12.5"},
        {smsPointIndex, false, 3, "3"},
        {smsSeriesTitle, false, 0, "Series1"},
        {smsPercentRelative, false, 0, "100 %"},
        {smsPercentRelative, false, 3, "-100 %"},
    };
    for (const MarkCase& c : cases) {
        s.Marks().SetStyle(c.style);
        s.Marks().SetMultiLine(c.multiLine);
        EXPECT_EQ(s.MarkText(c.index), c.expected) << "style " << int(c.style);
    }
    s.Marks().SetMultiLine(false);
    s.SetTitle("Run\rtime");
    s.Marks().SetStyle(smsSeriesTitle);
    EXPECT_EQ(s.MarkText(0), "Run time");
    s.Marks().SetPointText(1, "own\r\n");
    EXPECT_EQ(s.MarkText(1), "own");
    s.OnGetMarkText = [](TChartSeries*, int i, std::string& t) { t += "#" + std::to_string(i); };
    EXPECT_EQ(s.MarkText(0), "Run time#0");
}

TEST(SeriesData, PercentRelativeToAZeroFirstValueShowsZero) {
    TChartSeries s;
    s.AddPoint(0);
    s.AddPoint(5);
    s.Marks().SetStyle(smsPercentRelative);
    EXPECT_EQ(s.MarkText(1), "0 %");
    EXPECT_EQ(s.MarkText(0), "100 %");
}

TEST(SeriesData, EventsCanRefuseAndObserveAdding) {
    TChartSeries s;
    std::vector<int> added;
    int clears = 0;
    s.OnBeforeAdd = [](TChartSeries* series) { return series->PointCount() < 2; };
    s.OnAfterAdd = [&](TChartSeries*, int i) { added.push_back(i); };
    s.OnClearValues = [&](TChartSeries*) { ++clears; };
    EXPECT_EQ(s.AddPoint(1), 0);
    EXPECT_EQ(s.AddPoint(2), 1);
    EXPECT_EQ(s.AddPoint(3), -1);
    EXPECT_EQ(s.PointCount(), 2);
    s.BeginUpdate();
    s.OnBeforeAdd = nullptr;
    s.AddPoint(4);
    s.EndUpdate();
    EXPECT_EQ(added, (std::vector<int>{0, 1}));
    s.ClearPoints();
    EXPECT_EQ(clears, 1);
}

TEST(SeriesData, SortByOrderMovesEveryColumnTogether) {
    TChartSeries s;
    s.XValues().SetOrder(loNone);
    s.AddPointXY(3, 30, "c", clBlue);
    s.AddPointXY(1, 10, "a", clRed);
    s.AddPointXY(2, 20, "b");
    s.XValues().SetOrder(loAscending);
    s.XValues().SortByOrder();
    EXPECT_EQ(Column(s.XValues()), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Column(s.YValues()), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(s.PointLabel(0), "a");
    EXPECT_EQ(s.PointLabel(1), "b");
    EXPECT_EQ(s.PointColor(0), clRed);
    EXPECT_EQ(s.PointColor(2), clBlue);
}

std::vector<std::string> Labels(const TChartSeries& s) {
    std::vector<std::string> out;
    for (int i = 0; i < s.PointCount(); ++i) out.push_back(s.PointLabel(i));
    return out;
}

TEST(SeriesData, LabelsStayWithTheirPointsThroughEveryEdit) {
    TChartSeries s;
    s.ReservePoints(8, 4);
    s.AddPointXY(2, 0, "two");
    s.AddPointXY(4, 0, "four");
    s.AddPointXY(1, 0, "");  // before the others, without a text
    s.AddPointXY(3, 0, "three", clDefault);
    EXPECT_EQ(Labels(s), (std::vector<std::string>{"", "two", "three", "four"}));
    // Longer, shorter and empty texts in the middle move the labels after them.
    s.SetPointLabel(1, "a much longer label than before");
    s.SetPointLabel(2, "3");
    s.SetPointLabel(0, "one");
    EXPECT_EQ(Labels(s),
              (std::vector<std::string>{"one", "a much longer label than before", "3", "four"}));
    s.SetPointLabel(1, "");
    s.DeletePoint(2);
    EXPECT_EQ(Labels(s), (std::vector<std::string>{"one", "", "four"}));
    s.DeletePoint(0);
    EXPECT_EQ(Labels(s), (std::vector<std::string>{"", "four"}));
    EXPECT_EQ(Column(s.XValues()), (std::vector<double>{2, 4}));
    // Sorting a series whose labels stopped short of its last points.
    TChartSeries u;
    u.XValues().SetOrder(loNone);
    u.AddPointXY(5, 0, "five");
    u.AddPointXY(1, 0, "one");
    u.SetPointLabel(0, "");
    u.AddPointXY(3, 0);
    u.XValues().SetOrder(loAscending);
    u.XValues().SortByOrder();
    EXPECT_EQ(Labels(u), (std::vector<std::string>{"one", "", ""}));
    EXPECT_EQ(Column(u.XValues()), (std::vector<double>{1, 3, 5}));
}

TEST(SeriesData, NaNValuesNeitherHangNorBreakOrder) {
    TChartSeries s;
    s.AddPointXY(1, 1);
    s.AddPointXY(std::nan(""), 2);
    s.AddPointXY(0.5, 3);
    ASSERT_EQ(s.PointCount(), 3);
    // A NaN compares with nothing, so the scan stops at it instead of running off the array.
    EXPECT_EQ(s.XValueAt(2), 0.5);
    EXPECT_EQ(s.YValueAt(2), 3);
    EXPECT_EQ(s.XValues().MinimumValue(), 0.5);
}

}  // namespace
