#pragma once

#include <cstdint>
#include <functional>

#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/Timer.h"

// The main window: tool bar, the two pages, the uptime label and the status bar. Closing it
// ends the program. The tool bar, the page control and the status bar stand here as plain
// panels at their places until their widgets replace them.
class TFormVigil : public TForm {
  public:
    explicit TFormVigil(TComponent* owner);
    ~TFormVigil() override;

    TPanel* WsToolbar1;
    TPanel* WsPageControl1;
    TPanel* TabSheet1;
    TPanel* Panel1;
    TImage* Image1;
    TLabel* Label1;
    TLabel* LabTime;
    TLabel* LabTimeText;
    TPanel* WsStatusBar1;
    TTimer* Timer1;

    // Milliseconds since the machine started; the boot clock unless replaced (tests do).
    std::function<std::uint64_t()> UptimeClock;

    void Timer1Timer(TObject* sender);

  private:
    void BuildPages();
};

extern TFormVigil* FormVigil;
