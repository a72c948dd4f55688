#pragma once

#include <string>

#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Memo.h"
#include "widgets/WsButton.h"
#include "widgets/WsURLLabel.h"

// The about box: the program's name and version, its four uses, the home page and mail
// links, and a close button. Made afresh for every showing and freed when it closes.
class TFormAbout : public TForm {
  public:
    explicit TFormAbout(TComponent* owner);

    TImage* Image1;
    TLabel* Label1;
    TLabel* Label2;
    TMemo* Memo1;
    TLabel* Label5;
    TWsURLLabel* WsURLLabel4;
    TLabel* Label6;
    TWsURLLabel* WsURLLabel1;
    TWsButton* Button1;

    void Button1Click(TObject* sender);
};

// Makes the about box for owner, shows version in it, runs it modally and frees it.
TModalResult ShowAboutDialog(TForm& owner, const std::string& version);
// The version text the main window shows ("版本 2.9"): its LabVer caption when it has one,
// else the program's own version.
std::string MainWindowVersionText(const TForm& owner);
