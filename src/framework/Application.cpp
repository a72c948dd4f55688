#include "framework/Application.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "framework/HintWindow.h"
#include "framework/MessageDialog.h"

namespace {

// The applications alive, oldest first. Only the registry lives here; each application's
// state is its own.
std::vector<TApplication*>& Living() {
    static std::vector<TApplication*> living;
    return living;
}

std::uint64_t NextSerial() {
    static std::uint64_t last = 0;
    return ++last;
}

}  // namespace

TApplication::TApplication(THost& host)
    : host_(host), serial_(NextSerial()), display_(host.DisplaySettings()), hints_(*this) {
    Living().push_back(this);
    host_.SetClient(this);
}

TApplication::~TApplication() {
    hints_.CancelHint();
    while (!ownedForms_.empty()) ownedForms_.pop_back();
    // Forms that outlive the application (the hint window among them) stop reaching it.
    for (TForm* f : forms_) f->app_ = nullptr;
    forms_.clear();
    host_.SetClient(nullptr);
    std::erase(Living(), this);
}

TApplication* TApplication::Default() {
    return Living().empty() ? nullptr : Living().back();
}

TApplication* TApplication::Of(const TComponent* component) {
    for (const TComponent* c = component; c; c = c->Owner()) {
        if (const auto* app = dynamic_cast<const TApplication*>(c))
            return const_cast<TApplication*>(app);
        // A form keeps the application it was made for, even once that has gone: its owner
        // may name the application no longer.
        if (const auto* control = dynamic_cast<const TControl*>(c); control && control->Form())
            return control->Application();
    }
    return Default();
}

TApplication* TApplication::WithSerial(std::uint64_t serial) {
    for (TApplication* app : Living())
        if (app->serial_ == serial) return app;
    return nullptr;
}

void TApplication::AdoptForm(std::unique_ptr<TForm> form) {
    if (!mainForm_) mainForm_ = form.get();
    ownedForms_.push_back(std::move(form));
}

void TApplication::Run() {
    if (!mainForm_) return;
    Guard([this] { mainForm_->Show(); });
    RunLoop([] { return false; });
}

void TApplication::RunLoop(const std::function<bool()>& done) {
    while (!terminated_ && !done()) {
        UpdateWindows();
        if (done()) break;
        if (!host_.WaitEvents(timers_.NextDue())) break;
        DispatchTimers();
    }
}

void TApplication::ProcessMessages() {
    host_.WaitEvents(host_.Now());
    DispatchTimers();
}

std::uint32_t TApplication::SetTimer(std::uint32_t intervalMs, std::function<void()> fn) {
    return timers_.Add(host_.Now(), intervalMs, [this, fn = std::move(fn)] { Guard(fn); });
}

void TApplication::KillTimer(std::uint32_t id) {
    timers_.Remove(id);
}

void TApplication::DispatchTimers() {
    timers_.Fire(host_.Now());
    UpdateWindows();
}

void TApplication::UpdateWindows() {
    std::vector<TForm*> forms = forms_;
    for (TForm* f : forms) {
        if (std::find(forms_.begin(), forms_.end(), f) == forms_.end()) continue;
        Guard([f] { f->UpdateWindow(); });
    }
}

void TApplication::HandleException(const std::exception& e) {
    if (OnException) {
        OnException(this, e);
        return;
    }
    if (handlingException_) {
        // A failure while showing a failure: the message box itself is not safe to use.
        std::fprintf(stderr, "vigil: %s\n", e.what());
        return;
    }
    handlingException_ = true;
    try {
        ShowMessageBox(*this, e.what(), title_);
    } catch (const std::exception& inner) {
        std::fprintf(stderr, "vigil: %s\n", inner.what());
    }
    handlingException_ = false;
}

void TApplication::Guard(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleException(std::runtime_error("unknown error"));
    }
}

void TApplication::RegisterForm(TForm* form) {
    forms_.push_back(form);
}

void TApplication::UnregisterForm(TForm* form) {
    std::erase(forms_, form);
    if (mainForm_ == form) mainForm_ = nullptr;
}

TForm* TApplication::FormAt(TPoint screenPos) const {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        TForm* f = *it;
        if (!f->Visible() || !f->HostWindow()) continue;
        TPoint p = f->ScreenToClient(screenPos);
        if (f->ClientRect().Contains(p)) return f;
    }
    return nullptr;
}

void TApplication::ControlDestroying(TControl* control) {
    for (TApplication* app : Living()) app->hints_.ControlDestroying(control);
}
