#pragma once

#include <cstdint>
#include <string>

#include "framework/Host.h"

struct SDL_Window;
class TSdlHost;

// One SDL window. Frames are copied into the window surface and only the dirty rectangles
// are pushed to the screen.
class TSdlWindow : public THostWindow {
  public:
    TSdlWindow(TSdlHost& host, const THostWindowParams& params, THostWindowEvents& events);
    ~TSdlWindow() override;

    std::uint32_t Id() const { return id_; }
    TWindowKind Kind() const { return kind_; }
    THostWindowEvents& Events() const { return events_; }
    bool InputEnabled() const { return enabled_; }
    void HandleWindowEvent(std::uint8_t event, int data1, int data2);
    void TakeFocus();

    void SetCaption(const std::string& caption) override;
    void SetIcon(const TPixelBuffer& icon) override;
    void SetClientBounds(const TRect& screenRect) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void SetState(TWindowState state) override;
    void Activate() override;
    void Present(const TPixelBuffer& frame, const TRegion& dirty) override;
    void SetCursor(TCursor shape) override;
    void SetCapture(bool capture) override;

  private:
    TSdlHost& host_;
    THostWindowEvents& events_;
    SDL_Window* window_ = nullptr;
    std::uint32_t id_ = 0;
    TWindowKind kind_;
    TRect bounds_;
    bool enabled_ = true;
};
