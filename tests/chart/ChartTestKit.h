#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/CustomChart.h"
#include "framework/HeadlessApp.h"

// A shown form holding one chart at (0, 0) of a given size.
class ChartApp : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form;
    TChart* chart = nullptr;

    TChart& MakeChart(int width = 669, int height = 328) {
        form = MakeShownForm(width + 20, height + 20, clBtnFace);
        chart = form->InsertControl(std::make_unique<TChart>());
        chart->SetBounds(0, 0, width, height);
        chart->SetColor(clWhite);
        chart->SetView3D(false);
        chart->LeftAxis().Grid().SetVisible(false);
        chart->BottomAxis().Grid().SetVisible(false);
        return *chart;
    }
    // Lets the loop paint what is pending.
    void Paint() { host.Advance(1); }
    THeadlessWindow& Window() { return WindowOf(*form); }
    TColor Pixel(int x, int y) { return Window().PixelColor(x, y); }

    static std::vector<std::string> Texts(const TChartAxis& axis) {
        std::vector<std::string> out;
        for (const auto& l : axis.DrawnLabels()) out.push_back(l.Text);
        return out;
    }
};
