#include "app/UnitFormAbout.h"

#include "app/Artwork.h"
#include "app/SiteAddresses.h"

namespace {

TFont DialogFont(const char* name, int height, TColor color, TFontStyles style = 0) {
    TFont font;
    font.SetName(name);
    font.SetHeight(height);
    font.SetColor(color);
    font.SetStyle(style);
    return font;
}

template <class T>
T* Place(TForm& form, const char* name, TRect bounds) {
    auto* c = form.InsertControl(std::make_unique<T>(&form));
    c->SetName(name);
    c->SetBoundsRect(bounds);
    return c;
}

TLabel* PlaceLabel(TForm& form, const char* name, TRect bounds, const char* caption) {
    auto* label = Place<TLabel>(form, name, bounds);
    label->SetCaption(caption);
    label->SetTransparent(true);
    return label;
}

TWsURLLabel* PlaceLink(TForm& form, const char* name, TRect bounds, const std::string& caption,
                       const std::string& url) {
    auto* link = Place<TWsURLLabel>(form, name, bounds);
    link->SetFont(DialogFont("Verdana", -11, clBlue, fsUnderline));
    link->SetColor(clPurple);
    link->SetTransparent(true);
    link->SetBevelWidth(0);
    link->SetUnvisitedColor(clBlue);
    link->SetVisitedColor(RGB(130, 95, 70));
    link->SetBlinkColor(clBlue);
    link->SetCaption(caption);
    link->SetURL(url);
    return link;
}

}  // namespace

TFormAbout::TFormAbout(TComponent* owner) : TForm(owner) {
    SetName("FormAbout");
    SetCaption("关于");
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu);
    SetPosition(poOwnerFormCenter);
    SetClientWidth(422);
    SetClientHeight(347);
    SetColor(clWhite);
    SetFont(DialogFont("Arial", -12, clWindowText));

    Image1 = Place<TImage>(*this, "Image1", Bounds(31, 24, 32, 32));
    Image1->SetPicture(ProgramIcon(true));

    Label1 = PlaceLabel(*this, "Label1", Bounds(88, 26, 252, 22), "Vigil");
    Label1->SetFont(DialogFont("Arial", -19, RGB(0x14, 0x76, 0x1F), fsBold));
    Label2 = PlaceLabel(*this, "Label2", Bounds(167, 90, 62, 19), "(Ver 2.6)");
    Label2->SetFont(DialogFont("Arial", -16, clPurple, fsBold));

    Memo1 = Place<TMemo>(*this, "Memo1", Bounds(32, 120, 369, 113));
    Memo1->SetScrollBars(ssBoth);
    Memo1->SetLines({"Vigil", "(1)显示电脑启动时间、关机时间、登录用户等信息；",
                     "(2)绘制工作时间统计图；", "(3)发现是否有人偷偷使用您的电脑；",
                     "(4)监测儿童过度使用电脑。"});

    Label5 = PlaceLabel(*this, "Label5", Bounds(93, 242, 27, 15), "主页:");
    Label5->SetAlignment(taRightJustify);
    WsURLLabel4 = PlaceLink(*this, "WsURLLabel4", Bounds(125, 241, 147, 13), HomePageAddress(),
                            HomePageAddress());
    Label6 = PlaceLabel(*this, "Label6", Bounds(32, 266, 88, 13), "邮件:");
    Label6->SetAlignment(taRightJustify);
    Label6->SetAutoSize(false);
    WsURLLabel1 = PlaceLink(*this, "WsURLLabel1", Bounds(124, 265, 119, 13), MailAddress(),
                            "mailto:" + MailAddress());

    Button1 = Place<TWsButton>(*this, "Button1", Bounds(288, 312, 89, 25));
    Button1->SetCaption("关闭");
    Button1->SetColor(RGB(190, 218, 241));
    Button1->SetFrameColor(RGB(0, 60, 116));
    Button1->SetHotTrack(true);
    // Escape closes the box the way the button does.
    Button1->SetCancel(true);
    Button1->SetTabOrder(0);
    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
}

void TFormAbout::Button1Click(TObject*) {
    Close();
}

std::string MainWindowVersionText(const TForm& owner) {
    if (const auto* label = dynamic_cast<const TControl*>(owner.FindComponent("LabVer")))
        return label->Caption();
    std::string version = VIGIL_VERSION;
    // The main window shows major.minor.
    if (auto dot = version.find('.'); dot != std::string::npos) {
        if (auto second = version.find('.', dot + 1); second != std::string::npos)
            version.resize(second);
    }
    return "版本 " + version;
}

TModalResult ShowAboutDialog(TForm& owner, const std::string& version) {
    auto about = MakeForm<TFormAbout>(&owner);
    about->Label2->SetCaption(version);
    return about->ShowModal();
}
