#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/HintService.h"
#include "framework/Host.h"
#include "framework/TimerQueue.h"

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;

// The application object: owns the main form, runs the message loop on the host and serves
// the window timers and the hint service. Constructing it is the whole initialisation.
// Exactly one exists at a time; Application points at it.
class TApplication : public TComponent, private THostClient {
  public:
    explicit TApplication(THost& host);
    ~TApplication() override;

    THost& Host() const { return host_; }
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
    // A form or control is going away.
    void ControlDestroying(TControl* control);

    // THostClient
    std::uint64_t NextDeadline() const override { return timers_.NextDue(); }
    void DispatchTimers() override;
    void UpdateWindows() override;

  private:
    void AdoptForm(std::unique_ptr<TForm> form);

    THost& host_;
    std::string title_ = "Vigil";
    TTimerQueue timers_;
    THintService hints_;
    std::vector<std::unique_ptr<TForm>> ownedForms_;
    std::vector<TForm*> forms_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool handlingException_ = false;
};

extern TApplication* Application;
