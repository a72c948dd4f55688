#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "platform/headless/HeadlessHost.h"

inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << "," << r.Top << ")-(" << r.Right << "," << r.Bottom << ")";
}

// A control that fills itself with one colour and writes what happens to it into a log
// shared by the test.
template <class Base>
class TProbeOf : public Base {
  public:
    TProbeOf(std::vector<std::string>& log, const std::string& name, TColor fill)
        : Base(nullptr), log_(log), fill_(fill) {
        this->SetName(name);
    }

    int Paints() const { return paints_; }
    TRect LastClip() const { return lastClip_; }
    TColor Fill() const { return fill_; }
    void SetFill(TColor c) {
        fill_ = c;
        this->Invalidate();
    }
    bool takeWheel = false;
    bool wantsTab = false;
    TCursor cursorRight = crDefault;  // shown over the right half instead of Cursor()

  protected:
    void Paint(TCanvas& canvas) override {
        ++paints_;
        lastClip_ = canvas.ClipBounds();
        log_.push_back("paint " + this->Name());
        canvas.Brush().Color = fill_;
        canvas.FillRect(this->ClientRect());
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        Log("down", x, y, s & ssDouble ? " double" : "");
        Base::MouseDown(b, s, x, y);
    }
    void MouseMove(TShiftState s, int x, int y) override {
        Log("move", x, y);
        Base::MouseMove(s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
        Log("up", x, y);
        Base::MouseUp(b, s, x, y);
    }
    bool MouseWheel(TShiftState, int delta, TPoint) override {
        log_.push_back("wheel " + this->Name() + " " + std::to_string(delta));
        return takeWheel;
    }
    void MouseEnter() override { log_.push_back("enter " + this->Name()); }
    void MouseLeave() override { log_.push_back("leave " + this->Name()); }
    void DblClick() override { log_.push_back("dblclick " + this->Name()); }
    void Click() override {
        log_.push_back("click " + this->Name());
        Base::Click();
    }
    TCursor CursorAt(TPoint p) const override {
        if (cursorRight != crDefault && p.X >= this->Width() / 2) return cursorRight;
        return Base::CursorAt(p);
    }

  private:
    void Log(const char* what, int x, int y, const char* extra = "") {
        log_.push_back(std::string(what) + " " + this->Name() + " " + std::to_string(x) + "," +
                       std::to_string(y) + extra);
    }

    std::vector<std::string>& log_;
    TColor fill_;
    int paints_ = 0;
    TRect lastClip_;
};

// A windowed probe that also logs keys and focus.
class TWinProbe : public TProbeOf<TCustomControl> {
  public:
    using TProbeOf::TProbeOf;
    std::vector<std::string>* keyLog = nullptr;
    bool takeCtrlTab = false;

  protected:
    void KeyDown(TKey& key, TShiftState shift) override {
        if (keyLog) keyLog->push_back("key " + Name() + " " + std::to_string(key));
        TProbeOf::KeyDown(key, shift);
    }
    void KeyPress(char32_t& ch) override {
        if (keyLog) keyLog->push_back("char " + Name() + " " + std::to_string(ch));
        TProbeOf::KeyPress(ch);
    }
    bool WantsKey(TKey key, TShiftState) const override { return wantsTab && key == vkTab; }
    void DoEnter() override {
        if (keyLog) keyLog->push_back("enter-focus " + Name());
        TProbeOf::DoEnter();
    }
    void DoExit() override {
        if (keyLog) keyLog->push_back("exit-focus " + Name());
        TProbeOf::DoExit();
    }
    bool DialogKey(TKey key, TShiftState shift) override {
        if (takeCtrlTab && key == vkTab && (shift & ssCtrl)) {
            if (keyLog) keyLog->push_back("ctrl-tab " + Name());
            return true;
        }
        return false;
    }
};

using TGraphicProbe = TProbeOf<TGraphicControl>;

// One headless host with its application, and a shown form of a given client size.
class HeadlessApp : public ::testing::Test {
  protected:
    THeadlessHost host;
    TApplication app{host};
    std::vector<std::string> log;

    std::unique_ptr<TForm> MakeShownForm(int clientWidth = 200, int clientHeight = 150,
                                         TColor color = clWhite) {
        auto form = MakeForm<TForm>(&app);
        form->SetColor(color);
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        form->Show();
        return form;
    }
    THeadlessWindow& WindowOf(const TForm& form) {
        return *static_cast<THeadlessWindow*>(form.HostWindow());
    }
    template <class T = TWinProbe>
    T* AddProbe(TWinControl& parent, const std::string& name, TRect bounds, TColor fill) {
        auto* p = parent.InsertControl(std::make_unique<T>(log, name, fill));
        p->SetBoundsRect(bounds);
        return p;
    }
    // The lines of the log that start with prefix, and the log emptied.
    std::vector<std::string> Take(const std::string& prefix = "") {
        std::vector<std::string> out;
        for (const auto& line : log)
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        log.clear();
        return out;
    }
};

using Lines = std::vector<std::string>;
