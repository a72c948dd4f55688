#pragma once

#include <cstdint>

// A control of the widget set that can blink its text colour.
class TWsBlinker {
  public:
    virtual bool IsBlinking() const = 0;
    // True shows the blink colour, false the font colour; repaints at once.
    virtual void SetBlinkState(bool blinkPhase) = 0;

  protected:
    ~TWsBlinker() = default;
};

// The one blink list of the program: made when the first member joins, freed when the last
// leaves. Its timer runs only while some member blinks, holding the blink colour for
// IntervalOn and the font colour for IntervalOff milliseconds.
namespace WsBlinkList {

void Join(TWsBlinker* member);
void Leave(TWsBlinker* member);
// A member started or stopped blinking.
void BlinkingChanged();
bool Exists();
bool Running();
bool BlinkPhase();
std::uint16_t IntervalOn();
void SetIntervalOn(std::uint16_t ms);
std::uint16_t IntervalOff();
void SetIntervalOff(std::uint16_t ms);

}  // namespace WsBlinkList
