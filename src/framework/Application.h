#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/DisplaySettings.h"
#include "framework/Form.h"
#include "framework/HintService.h"
#include "framework/Host.h"
#include "framework/TimerQueue.h"

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;

// The application object: owns the main form, runs the message loop on the host and serves
// the window timers, the hint service and the display settings. Constructing it is the whole
// initialisation. Several may exist at once, each on its own host: a form belongs to the
// application of its owner and its controls reach that one through it.
class TApplication : public TComponent, private THostClient {
  public:
    explicit TApplication(THost& host);
    ~TApplication() override;

    // The newest application that still exists: forms and timers made without an owner that
    // belongs to an application join it. Null while there is none.
    static TApplication* Default();
    // The application a component belongs to: that of the first of it and its owners that
    // is an application or lies on a form (the form's, null once gone), else Default().
    static TApplication* Of(const TComponent* component);
    // The application with this serial number, or null once it has gone.
    static TApplication* WithSerial(std::uint64_t serial);
    // Unique among all applications the process ever made, so a stale one is never mistaken
    // for a new one at the same address.
    std::uint64_t Serial() const { return serial_; }

    THost& Host() const { return host_; }
    // Read from the host when the application is made; changes reach only this
    // application's controls, which pick them up when they next paint or act.
    TDisplaySettings& Display() { return display_; }
    const TDisplaySettings& Display() const { return display_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // Makes a form with MakeForm; the first one made becomes the main form, owned here.
    template <class F>
    F* CreateForm(F*& reference) {
        auto form = MakeForm<F>(this);
        reference = form.get();
        AdoptForm(std::move(form));
        return reference;
    }
    TForm* MainForm() const { return mainForm_; }
    // Shows the main form and runs the loop until it closes or Terminate is called.
    void Run();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    // Delivers what input is waiting, fires due timers and repaints, without waiting.
    void ProcessMessages();
    // Runs the loop until done() or Terminate; the heart of ShowModal.
    void RunLoop(const std::function<bool()>& done);

    // Window timers: fn runs every intervalMs from the loop. Returns the timer's id (> 0).
    std::uint32_t SetTimer(std::uint32_t intervalMs, std::function<void()> fn);
    void KillTimer(std::uint32_t id);
    std::uint64_t Now() const { return host_.Now(); }

    THintService& Hints() { return hints_; }
    int HintPause() const { return hints_.HintPause(); }
    void SetHintPause(int ms) { hints_.SetHintPause(ms); }
    int HintHidePause() const { return hints_.HintHidePause(); }
    void SetHintHidePause(int ms) { hints_.SetHintHidePause(ms); }
    void CancelHint() { hints_.CancelHint(); }
    void ActivateHint(TPoint screenPos) { hints_.ActivateHint(screenPos); }

    // Asks the desktop to open a web or mail address; false when it could not.
    bool OpenURL(const std::string& address) { return host_.OpenURL(address); }
    bool SetClipboardText(const std::string& text) { return host_.SetClipboardText(text); }

    // Shows an exception that reached the loop: OnException when set, else a message box.
    void HandleException(const std::exception& e);
    // Runs fn, handing any exception to HandleException.
    void Guard(const std::function<void()>& fn);
    TExceptionEvent OnException;

    // Forms register while they exist so that the loop can repaint them.
    void RegisterForm(TForm* form);
    void UnregisterForm(TForm* form);
    const std::vector<TForm*>& Forms() const { return forms_; }
    // The form whose client area lies under a screen point, topmost first.
    TForm* FormAt(TPoint screenPos) const;
    // A control is going away: every application forgets it (hints may point at it).
    static void ControlDestroying(TControl* control);

    // THostClient
    std::uint64_t NextDeadline() const override { return timers_.NextDue(); }
    void DispatchTimers() override;
    void UpdateWindows() override;

  private:
    void AdoptForm(std::unique_ptr<TForm> form);

    THost& host_;
    std::uint64_t serial_;
    TDisplaySettings display_;
    std::string title_ = "Vigil";
    TTimerQueue timers_;
    THintService hints_;
    std::vector<std::unique_ptr<TForm>> ownedForms_;
    std::vector<TForm*> forms_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool handlingException_ = false;
};
