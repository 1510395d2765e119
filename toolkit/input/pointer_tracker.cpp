#include "input/pointer_tracker.h"

#include "core/control.h"
#include "core/pointer_event.h"
#include "toolkit/events.h"
#include "windows/input_sink.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

// Keeps a control's record alive while the tracker remembers it.
class ControlPin {
 public:
   ControlPin() = default;
   explicit ControlPin(Control *control) : control_(control ? PinControl(control->id) : nullptr) {}
   ControlPin(ControlPin &&other) noexcept : control_(std::exchange(other.control_, nullptr)) {}
   ControlPin &operator=(ControlPin &&other) noexcept
   {
      if (this != &other) {
         Reset();
         control_ = std::exchange(other.control_, nullptr);
      }
      return *this;
   }
   ControlPin(const ControlPin &) = delete;
   ControlPin &operator=(const ControlPin &) = delete;
   ~ControlPin() { Reset(); }

   void Reset()
   {
      if (control_)
         UnpinControl(std::exchange(control_, nullptr));
   }
   // The control, or null once it has been destroyed.
   Control *Live() const { return control_ && ControlIsLive(control_) ? control_ : nullptr; }
   bool Is(const Control *control) const { return control_ == control; }
   bool Empty() const { return !control_; }

 private:
   Control *control_ = nullptr;
};

struct PendingClick {
   ControlPin control;
   int button = 0;
   uintptr_t generation = 0;
};

struct Tracker {
   bool known = false;
   int x = 0, y = 0, buttons = 0;
   ControlPin hover;
   bool pressing = false;
   ControlPin pressed;
   int press_x = 0, press_y = 0;
   int press_buttons = 0;
   bool dragging = false;
   bool double_clicked = false;  // the release after a double click is no click
   PendingClick pending;
};

Tracker t;

PointerEvent EventNow(int code)
{
   return PointerEvent{code, t.x, t.y, t.buttons, t.press_buttons, t.dragging ? 1 : 0};
}

void Send(Control *control, const PointerEvent &event)
{
   if (control)
      DeliverPointer(control, event);
}

// Sends "left" and "over" when the control under the pointer changed, and
// "over" again on a movement over the same control.
void UpdateHover(bool moved)
{
   Control *under = ControlAtPoint(t.x, t.y);
   if (t.hover.Is(under) && t.hover.Live()) {
      if (moved)
         Send(t.hover.Live(), EventNow(POINTER_OVER));
      return;
   }
   ControlPin old = std::exchange(t.hover, ControlPin(under));
   Send(old.Live(), EventNow(POINTER_LEFT));
   Send(t.hover.Live(), EventNow(POINTER_OVER));
}

void ClickTimeout(void *data)
{
   const auto generation = reinterpret_cast<uintptr_t>(data);
   if (t.pending.control.Empty() || t.pending.generation != generation)
      return;
   ControlPin control = std::move(t.pending.control);
   if (Control *c = control.Live())
      DeliverClick(c, t.pending.button, 1);
}

// A click waiting for a second press that will not come now.
void SettlePendingClick()
{
   ControlPin control = std::move(t.pending.control);
   if (Control *c = control.Live())
      DeliverClick(c, t.pending.button, 1);
}

void Press(int buttons)
{
   t.pressing = true;
   t.pressed = ControlPin(t.hover.Live());
   t.press_x = t.x;
   t.press_y = t.y;
   t.press_buttons = buttons;
   t.dragging = false;
   // Held here as well: a handler may run a nested loop that feeds the
   // tracker again and replaces its state.
   ControlPin control(t.pressed.Live());
   const bool second_press =
      !t.pending.control.Empty() && t.pending.control.Is(control.Live()) && (t.pending.button & buttons);
   t.double_clicked = second_press;
   if (second_press)
      t.pending.control.Reset();
   else if (!t.pending.control.Empty())
      SettlePendingClick();
   const int first_button = t.pending.button;
   Send(control.Live(), EventNow(POINTER_PRESS));
   if (second_press && control.Live())
      DeliverClick(control.Live(), first_button, 2);
}

void Release()
{
   const PointerEvent release = EventNow(POINTER_RELEASE);
   ControlPin pressed = std::move(t.pressed);
   const bool click = !t.dragging && !t.double_clicked;
   t.pressing = false;
   t.press_buttons = 0;
   t.dragging = false;
   t.double_clicked = false;

   Send(pressed.Live(), release);
   Control *control = pressed.Live();
   if (click && control) {
      if (release.press_buttons & ControlClickMask(control)) {
         if (!t.pending.control.Empty())
            SettlePendingClick();
         t.pending.control = std::move(pressed);
         t.pending.button = release.press_buttons;
         const uintptr_t generation = ++t.pending.generation;
         QueueCall(ClickTimeout, reinterpret_cast<void *>(generation), DOUBLE_CLICK_MS, control->id);
      } else {
         DeliverClick(control, release.press_buttons, 1);
      }
   }
   UpdateHover(false);
}

// The wheel goes to what is under the pointer, even during a press.
void Wheel(int notches)
{
   PointerEvent event = EventNow(POINTER_WHEEL);
   event.wheel = notches;
   ControlPin under(ControlAtPoint(t.x, t.y));
   if (under.Live())
      DeliverWheel(under.Live(), event);
}

}

void TrackPointer(int x, int y, int buttons, int wheel)
{
   const bool moved = !t.known || x != t.x || y != t.y;
   const int newly_pressed = buttons & ~t.buttons;
   t.known = true;
   t.x = x;
   t.y = y;
   t.buttons = buttons;

   if (t.pressing) {
      if (moved) {
         if (std::abs(x - t.press_x) > DRAG_DISTANCE || std::abs(y - t.press_y) > DRAG_DISTANCE)
            t.dragging = true;
         Send(t.pressed.Live(), EventNow(POINTER_DRAG));
      }
      if (wheel)
         Wheel(wheel);
      if (t.pressing && !(t.buttons & t.press_buttons))
         Release();
      return;
   }
   if (moved)
      UpdateHover(true);
   if (newly_pressed && !t.pressing)
      Press(newly_pressed);
   if (wheel)
      Wheel(wheel);
}

void ResetPointerTracking()
{
   t = Tracker{};
}
