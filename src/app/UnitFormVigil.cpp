#include "app/UnitFormVigil.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/Artwork.h"
#include "app/LogSource.h"
#include "app/SiteAddresses.h"
#include "app/UnitFormAbout.h"
#include "base/Clock.h"
#include "base/DateTimeFormat.h"
#include "framework/Application.h"
#include "graphics/Bitmap.h"
#include "history/DurationText.h"
#include "history/FigureTexts.h"

TFormVigil* FormVigil = nullptr;
std::function<std::unique_ptr<TSessionHistory>()> FormVigilHistorySource;

namespace {

TFont ArialFont(int height, TColor color = clWindowText, TFontStyles style = 0) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(height);
    font.SetColor(color);
    font.SetStyle(style);
    return font;
}

TPanel* PlainPanel(TWinControl& parent, TComponent* owner, const char* name, TColor color) {
    auto* panel = parent.InsertControl(std::make_unique<TPanel>(owner));
    panel->SetName(name);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(color);
    return panel;
}

TLabel* PlacedLabel(TWinControl& parent, TComponent* owner, const char* name, TRect bounds,
                    const char* caption) {
    auto* label = parent.InsertControl(std::make_unique<TLabel>(owner));
    label->SetName(name);
    label->SetBoundsRect(bounds);
    label->SetCaption(caption);
    return label;
}

}  // namespace

TFormVigil::TFormVigil(TComponent* owner) : TForm(owner), UptimeClock(MillisecondsSinceBoot) {
    SetName("FormVigil");
    SetCaption("Vigil");
    SetBorderStyle(bsSizeable);
    SetPosition(poDesktopCenter);
    SetClientWidth(673);
    SetClientHeight(475);
    SetColor(clWindow);
    SetFont(ArialFont(-11));
    SetIcon(ProgramIcon());

    ImageList1 = Own(std::make_unique<TImageList>(this, 32, 32));
    ImageList1->SetName("ImageList1");
    for (int i = 0; i < kToolbarGlyphCount; ++i) ImageList1->Add(ToolbarGlyph(i));

    BuildToolbar();
    BuildStatusBar();

    BuildPages();

    Timer1 = Own(std::make_unique<TTimer>(this));
    Timer1->SetName("Timer1");
    Timer1->SetInterval(1000);
    Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
    BindCommands();
}

TFormVigil::~TFormVigil() {
    if (FormVigil == this) FormVigil = nullptr;
}

void TFormVigil::BuildToolbar() {
    WsToolbar1 = InsertControl(std::make_unique<TWsToolbar>(this));
    WsToolbar1->SetName("WsToolbar1");
    WsToolbar1->SetBounds(0, 0, 673, 60);
    WsToolbar1->SetAutoSize(true);
    WsToolbar1->SetAutoStyle(false);
    WsToolbar1->SetBorderOuter(fsGroove);
    WsToolbar1->SetBorderInner(fsNone);
    WsToolbar1->SetBorderSides({sdTop, sdBottom});
    WsToolbar1->SetVisualStyle(vsGradient);
    WsToolbar1->SetImages(ImageList1);
    WsToolbar1->SetShowButtonCaptions(true);
    WsToolbar1->SetTextOptions(ttoCustom);

    struct TButtonData {
        TWsToolButton*& Field;
        const char* Name;
        const char* Caption;
        int Image;
        int Left;
    };
    const TButtonData buttons[] = {
        {TBRefresh, "TBRefresh", "刷新(&R)", 0, 4},     {TBHelp, "TBHelp", "帮助(&H)", 1, 109},
        {TBAbout, "TBAbout", "关于(&A)", 2, 189},       {TBUpdate, "TBUpdate", "升级(&U)", 3, 294},
        {TBHomePage, "TBHomePage", "主页(&H)", 4, 374}, {TBExit, "TBExit", "退出(&E)", 5, 479},
    };
    for (const TButtonData& data : buttons) {
        auto* button = WsToolbar1->InsertControl(std::make_unique<TWsToolButton>(this));
        button->SetName(data.Name);
        button->SetUseToolbarButtonSize(false);
        button->SetBounds(data.Left, 0, 80, 60);
        button->SetUseToolbarButtonLayout(false);
        button->SetLayout(blGlyphTop);
        button->SetImages(ImageList1);
        button->SetImageIndex(data.Image);
        button->SetCaption(data.Caption);
        button->SetShowHint(true);
        data.Field = button;
    }
    TBRefresh->SetFont(ArialFont(-11, clBlack));
    TBHelp->SetVisible(false);

    TWsSpacer** spacers[] = {&WsSpacer1, &WsSpacer2, &WsSpacer3};
    const int spacerLefts[] = {84, 269, 454};
    for (int i = 0; i < 3; ++i) {
        auto* spacer = WsToolbar1->InsertControl(std::make_unique<TWsSpacer>(this));
        spacer->SetName("WsSpacer" + std::to_string(i + 1));
        spacer->SetBounds(spacerLefts[i], 5, 25, 50);
        spacer->SetGrooved(true);
        *spacers[i] = spacer;
    }

    LabVer = PlacedLabel(*WsToolbar1, this, "LabVer", Bounds(559, 23, 82, 14), "版本 2.9");
    LabVer->SetAutoSize(false);
    LabVer->SetTransparent(true);
    LabVer->SetAlignment(taRightJustify);

    WsToolbar1->SetToolbarControlNames({"TBRefresh", "WsSpacer1", "TBHelp", "TBAbout", "WsSpacer2",
                                        "TBUpdate", "TBHomePage", "WsSpacer3", "TBExit", "LabVer"});
}

void TFormVigil::BuildStatusBar() {
    WsStatusBar1 = InsertControl(std::make_unique<TWsStatusBar>(this));
    WsStatusBar1->SetName("WsStatusBar1");
    WsStatusBar1->SetBounds(0, 456, 673, 19);
    WsStatusBar1->SetBorderInner(fsNone);
    WsStatusBar1->SetBorderOuter(fsNone);

    WsClockStatus1 = WsStatusBar1->InsertControl(std::make_unique<TWsClockStatus>(this));
    WsClockStatus1->SetName("WsClockStatus1");
    WsClockStatus1->SetBounds(0, 0, 150, 19);
    WsClockStatus1->SetAlign(alLeft);

    TWsStatusPane** panes[] = {&WsStatusPane1, &WsStatusPane2, &WsStatusPane3, &WsStatusPane4};
    int left = 150;
    for (int i = 0; i < 4; ++i) {
        auto* pane = WsStatusBar1->InsertControl(std::make_unique<TWsStatusPane>(this));
        pane->SetName("WsStatusPane" + std::to_string(i + 1));
        const int width = i == 3 ? 200 : 100;
        pane->SetBounds(left, 0, width, 19);
        pane->SetAlign(alLeft);
        left += width;
        *panes[i] = pane;
    }
}

void TFormVigil::BuildPages() {
    WsPageControl1 = InsertControl(std::make_unique<TWsPageControl>(this));
    WsPageControl1->SetName("WsPageControl1");
    WsPageControl1->SetBounds(0, 60, 673, 396);
    WsPageControl1->SetAlign(alClient);
    WsPageControl1->SetParentColor(true);
    WsPageControl1->SetTabStyle(tsRoundCorners);
    WsPageControl1->SetBackgroundColor(cl3DLight);
    WsPageControl1->TabColors().SetHighlightBar(clWindow);
    WsPageControl1->TextColors().SetSelected(clBlue);
    WsPageControl1->SetTextAlignmentVertical(vaTop);
    WsPageControl1->SetFont(ArialFont(-11, clWindowText, fsBold));
    WsPageControl1->SetFixedDimension(20);

    TabSheet1 = AddPage("TabSheet1", "日志");
    TabSheet2 = AddPage("TabSheet2", "图表");
    BuildChartPage(*TabSheet2);
    TabSheet3 = AddPage("TabSheet3", "统计");
    BuildStatsPage(*TabSheet3);
    WsPageControl1->SetActivePage(TabSheet1);

    Panel1 = PlainPanel(*TabSheet1, this, "Panel1", clWindow);
    Panel1->SetBounds(0, 0, 669, 40);
    Panel1->SetAlign(alTop);

    Image1 = Panel1->InsertControl(std::make_unique<TImage>(this));
    Image1->SetName("Image1");
    Image1->SetBounds(8, 4, 32, 32);
    Image1->SetPicture(ProgramIcon());

    Label1 = PlacedLabel(*Panel1, this, "Label1", Bounds(48, 13, 145, 16), "开机/关机日志");
    Label1->SetFont(ArialFont(-13, clBlack, fsBold));
#ifdef _WIN32
    const char* uptimeCaption = " Windows已运行时间:";
#else
    const char* uptimeCaption = " Linux已运行时间:";
#endif
    LabTime = PlacedLabel(*Panel1, this, "LabTime", Bounds(288, 16, 121, 14), uptimeCaption);
    LabTime->SetAutoSize(false);
    LabTimeText = PlacedLabel(*Panel1, this, "LabTimeText", Bounds(416, 16, 233, 14), "");
    LabTimeText->SetAutoSize(false);
    LabTimeText->SetFont(ArialFont(-11, clMaroon));
    BuildLogList();
}

namespace {

// A 16 x 16 picture of a horizontal bar in one colour: darker rim, lighter top line.
TPixelBuffer BarImage(TColor fill, TColor rim, TColor light) {
    TBitmap bitmap(16, 16, 0x00000000);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().Color = rim;
    canvas.FillRect({1, 4, 15, 12});
    canvas.Brush().Color = fill;
    canvas.FillRect({2, 5, 14, 11});
    canvas.Brush().Color = light;
    canvas.FillRect({2, 5, 14, 7});
    // FillRect leaves the alpha of what it paints opaque; the rest stays transparent.
    return bitmap.Buffer();
}

}  // namespace

void TFormVigil::BuildLogList() {
    ImageList2 = Own(std::make_unique<TImageList>(this, 16, 16));
    ImageList2->SetName("ImageList2");
    ImageList2->Add(BarImage(RGB(0, 160, 0), RGB(0, 100, 0), RGB(110, 210, 110)));
    ImageList2->Add(BarImage(RGB(255, 140, 0), RGB(170, 85, 0), RGB(255, 195, 120)));

    WsLWMsg = TabSheet1->InsertControl(std::make_unique<TWsListView>(this));
    WsLWMsg->SetName("WsLWMsg");
    WsLWMsg->SetBounds(0, 40, 669, 329);
    WsLWMsg->SetAlign(alClient);
    WsLWMsg->SetViewStyle(vsReport);
    WsLWMsg->SetGridLines(true);
    WsLWMsg->SetRowSelect(true);
    WsLWMsg->SetHideSelection(false);
    WsLWMsg->SetColor(clWhite);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(-11);
    font.SetColor(clBlack);
    WsLWMsg->SetFont(font);
    WsLWMsg->SetSmallImages(ImageList2);
    WsLWMsg->SetLargeImages(ImageList2);
    WsLWMsg->SetStateImages(ImageList2);
    WsLWMsg->SetFillLastColumn(false);
    WsLWMsg->SetHeaderSortDisplayMode(hsdmRightAlign);
    struct TColumnLayout {
        const char* Caption;
        int Width;
    };
    for (TColumnLayout layout : {TColumnLayout{"", 18},
                                 {"开机时间", 150},
                                 {"关机时间", 150},
                                 {"运行时长", 100},
                                 {"登录用户", 127},
                                 {"信息", 0}}) {
        TListColumn* column = WsLWMsg->Columns().Add();
        column->SetCaption(layout.Caption);
        column->SetWidth(layout.Width);
    }
    WsLWMsg->Columns()[5]->SetAutoSize(true);
    WsLWMsg->Items().SetRowSource([this](const TListItem& item, std::vector<std::string>& texts) {
        ListRowTexts(item, texts);
    });
}

void TFormVigil::ListRowTexts(const TListItem& item, std::vector<std::string>& texts) const {
    // An item holds the number of its session in the table.
    const auto i = reinterpret_cast<std::uintptr_t>(item.Data());
    if (!history_ || i >= history_->Table().size()) return;
    TSessionRow row = history_->Row(i);
    texts.emplace_back();
    texts.push_back(std::move(row.BootText));
    texts.push_back(std::move(row.ShutdownText));
    texts.push_back(std::move(row.DurationTextValue));
    texts.push_back(std::move(row.UserText));
    texts.push_back(std::move(row.StatusText));
}

void TFormVigil::BuildChartPage(TWinControl& page) {
    Panel2 = page.InsertControl(std::make_unique<TPanel>(this));
    Panel2->SetName("Panel2");
    Panel2->SetBounds(0, 0, 669, 41);
    Panel2->SetAlign(alTop);

    Image2 = Panel2->InsertControl(std::make_unique<TImage>(this));
    Image2->SetName("Image2");
    Image2->SetBounds(8, 4, 32, 32);
    Image2->SetPicture(ChartIcon());

    Label2 = PlacedLabel(*Panel2, this, "Label2", Bounds(56, 13, 273, 16), "运行时间图表");
    Label2->SetAutoSize(false);
    Label2->SetFont(ArialFont(-13, clBlack, fsBold));

    Chart1 = page.InsertControl(std::make_unique<TChart>(this));
    Chart1->SetName("Chart1");
    Chart1->SetBounds(0, 41, 669, 328);
    Chart1->SetAlign(alClient);
    Chart1->SetColor(clWhite);
    // The bars are read with the arrow keys.
    Chart1->SetTabStop(true);
    Chart1->SetView3D(false);
    Chart1->Legend().Visible = false;
    Chart1->Title().Text = "TChart";
    Chart1->Title().Visible = false;
    Chart1->LeftAxis().Title().SetCaption("(小时)");
    Chart1->LeftAxis().Grid().SetVisible(false);
    Chart1->BottomAxis().Grid().SetVisible(false);

    Series1 = Chart1->AddSeries(std::make_unique<TBarSeries>(this));
    Series1->SetName("Series1");
    Series1->BarBrush().SetColor(clWhite);
    Series1->SetColorEachPoint(true);
    Series1->SetBarStyle(bsCylinder);
    Series1->Gradient().SetDirection(TChartGradientDirection::gdTopBottom);
    Series1->Shadow().SetColor(0x888888);
    Series1->Marks().SetVisible(false);
    Series1->XValues().SetName("X");
    Series1->XValues().SetOrder(loAscending);
    Series1->YValues().SetName("长条");
    Series1->YValues().SetOrder(loNone);

    ChartTool1 = Chart1->AddTool(std::make_unique<TMarksTipTool>(this));
    ChartTool1->SetName("ChartTool1");
    ChartTool1->SetStyle(smsLabelValue);
}

void TFormVigil::FillChart(const SessionTable& table) {
    Series1->ClearPoints();
    // A label is a date, "yyyy-mm-dd".
    Series1->ReservePoints(static_cast<int>(std::min<std::size_t>(table.size(), INT32_MAX)), 10);
    // Oldest first: the table holds the newest session at index 0.
    for (auto it = table.rbegin(); it != table.rend(); ++it) {
        // The same presence test as the rows: 1.0 or less means no boot time was recorded.
        if (!HasTime(it->BootTime)) continue;
        Series1->AddPoint(it->DurationSeconds / 3600.0, FormatDateTime("yyyy-mm-dd", it->BootTime),
                          clDefault);
    }
}

void TFormVigil::BuildStatsPage(TWinControl& page) {
    // Two columns of four figures, 20 pixels a line.
    for (int i = 0; i < 8; ++i) {
        const int left = i < 4 ? 16 : 336, top = 12 + (i % 4) * 20;
        const std::string n = std::to_string(i + 1);
        StatNames[i] =
            PlacedLabel(page, this, ("LabStatName" + n).c_str(), Bounds(left, top, 84, 14), "");
        StatValues[i] = PlacedLabel(page, this, ("LabStatValue" + n).c_str(),
                                    Bounds(left + 84, top, 220, 14), "");
        StatValues[i]->SetAutoSize(false);
    }
    LabMap = PlacedLabel(page, this, "LabMap", Bounds(16, 136, 120, 16), "使用时段");
    LabMap->SetFont(ArialFont(-13, clBlack, fsBold));
    UsageMap1 = page.InsertControl(std::make_unique<TUsageMap>(this));
    UsageMap1->SetName("UsageMap1");
    UsageMap1->SetBounds(0, 200 - TUsageMap::kCellsTop, 669, 369 - 200 + TUsageMap::kCellsTop);
}

void TFormVigil::FillStats(const TSessionHistory& history) {
    const TFigureTexts texts =
        FigureTexts(history.Figures(), !history.Table().empty(), history.QuietHours(),
                    [&history](std::int64_t utc) { return history.OffsetAt(utc); });
    for (std::size_t i = 0; i < texts.size(); ++i) {
        StatNames[i]->SetCaption(texts[i].Name);
        StatValues[i]->SetCaption(texts[i].Value);
    }
    UsageMap1->SetHours(history.UsageHours(), history.QuietHours());
}

TWsTabSheet* TFormVigil::AddPage(const char* name, const char* caption) {
    auto* page = WsPageControl1->InsertControl(std::make_unique<TWsTabSheet>(this));
    page->SetName(name);
    page->SetCaption(caption);
    page->SetColor(clWindow);
    // The bold tab font is the strip's alone; the page's content keeps the plain one.
    page->SetFont(ArialFont(-11));
    page->SetImageIndex(6);
    page->SetDisabledIndex(7);
    return page;
}

void TFormVigil::BindCommands() {
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    TBRefresh->OnClick = [this](TObject* sender) { TBRefreshClick(sender); };
    TBHelp->OnClick = [this](TObject* sender) { TBHelpClick(sender); };
    TBAbout->OnClick = [this](TObject* sender) { TBAboutClick(sender); };
    TBUpdate->OnClick = [this](TObject* sender) { TBUpdateClick(sender); };
    TBHomePage->OnClick = [this](TObject* sender) { TBHomePageClick(sender); };
    TBExit->OnClick = [this](TObject* sender) { TBExitClick(sender); };
}

void TFormVigil::FormCreate(TObject*) {
    HomePageAddress = ::HomePageAddress();
    UpdatePageAddress = ::UpdatePageAddress();
    // The history reads the log and places its events in local time; the window opens filled.
    history_ = FormVigilHistorySource ? FormVigilHistorySource() : MakeSessionHistory({});
    // The list makes a row's texts from the table when it reads them; the history need not
    // hold them.
    if (history_) history_->SetKeepRows(false);
    TBRefreshClick(TBRefresh);
}

void TFormVigil::TBRefreshClick(TObject*) {
    if (!history_) return;
    history_->Refresh();
    FillList(*history_);
    ShowUserColumn(history_->Totals().AnyUser);
    FillChart(history_->Table());
    FillStats(*history_);
    const TSummaryTexts& summary = history_->Summary();
    WsStatusPane1->SetCaption(summary.RecordCount);
    WsStatusPane2->SetCaption(summary.DayCount);
    WsStatusPane3->SetCaption(summary.Total);
    WsStatusPane4->SetCaption(summary.Average);
}

void TFormVigil::FillList(const TSessionHistory& history) {
    TListItems& items = WsLWMsg->Items();
    items.BeginUpdate();
    items.Clear();
    const std::size_t count = history.Table().size();
    items.Reserve(static_cast<int>(count));
    for (std::size_t i = 0; i < count; ++i) {
        // The row's texts are made when it is drawn (ListRowTexts): a long history would
        // otherwise hold every text of every row.
        TListItem* item =
            items.AddFromSource(reinterpret_cast<void*>(static_cast<std::uintptr_t>(i)),
                                SessionStateImage(history.Table()[i]));
        // The 18-pixel first column has room for the state image alone.
        item->SetImageIndex(-1);
    }
    items.EndUpdate();
}

void TFormVigil::ShowUserColumn(bool anyUser) {
    // Kept as a state of its own: a column the user dragged to 1 pixel is still "shown".
    TListColumn* column = WsLWMsg->Columns()[4];
    if (!anyUser) {
        column->SetWidth(0);
        column->SetMaxWidth(1);
        userColumnHidden_ = true;
    } else if (userColumnHidden_) {
        column->SetMaxWidth(0);
        column->SetWidth(127);
        userColumnHidden_ = false;
    }
}

void TFormVigil::TBHelpClick(TObject*) {}

void TFormVigil::TBAboutClick(TObject*) {
    ShowAboutDialog(*this, MainWindowVersionText(*this));
}

void TFormVigil::TBUpdateClick(TObject*) {
    // A page that fails to open is not reported.
    if (TApplication* app = Application()) app->OpenURL(UpdatePageAddress);
}

void TFormVigil::TBHomePageClick(TObject*) {
    if (TApplication* app = Application()) app->OpenURL(HomePageAddress);
}

void TFormVigil::TBExitClick(TObject*) {
    Close();
}

void TFormVigil::Timer1Timer(TObject*) {
    LabTimeText->SetCaption(UptimeText(UptimeClock ? UptimeClock() : 0));
}
