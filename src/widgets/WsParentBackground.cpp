#include "widgets/WsParentBackground.h"

#include <algorithm>
#include <vector>

#include "framework/CustomControl.h"
#include "framework/Form.h"

namespace {

// A windowless control is among the children its parent paints, so its own Paint would come
// back here; each control paints its parent's background once at a time.
std::vector<const TControl*> gInProgress;

class TInProgress {
  public:
    explicit TInProgress(const TControl& control) : control_(control) {
        gInProgress.push_back(&control);
    }
    ~TInProgress() {
        gInProgress.erase(std::find(gInProgress.begin(), gInProgress.end(), &control_));
    }
    TInProgress(const TInProgress&) = delete;
    TInProgress& operator=(const TInProgress&) = delete;

    static bool Active(const TControl& control) {
        return std::find(gInProgress.begin(), gInProgress.end(), &control) != gInProgress.end();
    }

  private:
    const TControl& control_;
};

}  // namespace

void PaintParentBackground(TControl& control, TCanvas& canvas, bool invalidateParent) {
    TWinControl* parent = control.Parent();
    if (!parent || TInProgress::Active(control)) return;
    {
        const TInProgress guard(control);
        TCanvasStateSaver saver(canvas);
        const TPoint o = canvas.Origin();
        canvas.SetOrigin({o.X - control.Left(), o.Y - control.Top()});
        canvas.IntersectClipRect(Rect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
        // PaintWindow erases the parent's background first unless the parent paints every pixel.
        parent->PaintWindow(canvas);
    }
    if (invalidateParent && !dynamic_cast<TCustomControl*>(parent) && !dynamic_cast<TForm*>(parent))
        parent->Invalidate();
}
