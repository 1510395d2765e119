// Allegro's mouse and keyboard callbacks, and the loop-side calls that hand
// their input on. The callbacks run on Allegro's input thread: they only
// store a sample in a ring and mark their source.
#include "core/pointer_image.h"
#include "input/event_signals.h"
#include "input/event_system.h"
#include "input/input_ring.h"
#include "input/input_seam.h"
#include "input/loops.h"
#include "input/pointer_tracker.h"
#include "toolkit/cursors.h"
#include "toolkit/events.h"
#include "windows/input_sink.h"

#include <allegro.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <utility>

namespace {

constexpr std::size_t RING_SIZE = 256;

// Pointer samples: x and y as 16-bit values, the buttons, then the wheel
// notches turned since the last sample as a signed byte.
InputRing<RING_SIZE> pointer_samples;
// When the ring is full, only the newest state is kept here until the loop
// has caught up, so a missed release cannot leave a button held for ever.
std::atomic<bool> pointer_overflowed{false};
std::atomic<uint64_t> pointer_latest{0};

// The platform pointer's latest position, for the pointer image, with bit 63
// set until the loop has taken it. Samples injected through the input seam do
// not move the image.
constexpr uint64_t POSITION_NEW = uint64_t{1} << 63;
std::atomic<uint64_t> platform_position{0};

// Allegro's mouse_z when the last sample was taken (input thread only).
int last_wheel = 0;

// What the frame's close button does (loop thread).
struct CloseButton {
   void (*fn)(void *) = nullptr;
   void *data = nullptr;
};
CloseButton close_button;

// Key samples: character, scancode, shift flags. A full ring drops keys, as
// Allegro's own key buffer does.
InputRing<RING_SIZE> key_samples;

uint64_t PackPointer(int x, int y, int buttons, int wheel = 0)
{
   const auto x16 = static_cast<uint16_t>(static_cast<int16_t>(std::clamp(x, INT16_MIN, INT16_MAX)));
   const auto y16 = static_cast<uint16_t>(static_cast<int16_t>(std::clamp(y, INT16_MIN, INT16_MAX)));
   const auto z8 = static_cast<uint8_t>(static_cast<int8_t>(std::clamp(wheel, INT8_MIN, INT8_MAX)));
   return x16 | uint64_t{y16} << 16 | uint64_t{static_cast<uint8_t>(buttons & 7)} << 32 | uint64_t{z8} << 40;
}

void UnpackPointer(uint64_t sample)
{
   TrackPointer(static_cast<int16_t>(sample & 0xFFFF), static_cast<int16_t>(sample >> 16 & 0xFFFF),
                static_cast<int>(sample >> 32 & 7), static_cast<int8_t>(sample >> 40 & 0xFF));
}

void RecordPointer(int x, int y, int buttons, int wheel = 0)
{
   const uint64_t sample = PackPointer(x, y, buttons, wheel);
   // An overflow keeps only the newest state; wheel turns in between are lost.
   if (pointer_overflowed.load(std::memory_order_acquire) || !pointer_samples.Push(sample)) {
      pointer_latest.store(sample, std::memory_order_release);
      pointer_overflowed.store(true, std::memory_order_release);
   }
   event_signals::Mark(SOURCE_POINTER);
}

void RecordKey(int character, int scancode, int shifts)
{
   const uint64_t sample = static_cast<uint32_t>(character) | uint64_t{static_cast<uint8_t>(scancode)} << 32 |
                           uint64_t{static_cast<uint16_t>(shifts)} << 40;
   key_samples.Push(sample);
   event_signals::Mark(SOURCE_KEYBOARD);
}

// Allegro has updated mouse_x, mouse_y and mouse_b on this thread just before.
void OnMouse(int)
{
   platform_position.store(POSITION_NEW | PackPointer(mouse_x, mouse_y, 0), std::memory_order_release);
   const int z = mouse_z;
   RecordPointer(mouse_x, mouse_y, mouse_b, z - std::exchange(last_wheel, z));
}

int OnKey(int key, int *scancode)
{
   RecordKey(key, *scancode, key_shifts);
   return key;
}

void ProcessPointer(void *)
{
   const uint64_t position = platform_position.fetch_and(~POSITION_NEW, std::memory_order_acq_rel);
   MovePointerImage(position & POSITION_NEW, static_cast<int16_t>(position & 0xFFFF),
                    static_cast<int16_t>(position >> 16 & 0xFFFF));
   while (auto sample = pointer_samples.Pop())
      UnpackPointer(*sample);
   if (pointer_overflowed.exchange(false, std::memory_order_acq_rel))
      UnpackPointer(pointer_latest.load(std::memory_order_acquire));
}

// Allegro's close-button callback, on its own thread.
void OnCloseButton()
{
   event_signals::Mark(SOURCE_CLOSE_BUTTON);
}

void ProcessCloseButton(void *)
{
   if (close_button.fn)
      close_button.fn(close_button.data);
   else if (InnermostLoopIsTopLevel())
      StopEventLoop();
}

void ProcessKeys(void *)
{
   bool any = false;
   while (auto sample = key_samples.Pop()) {
      any = true;
      DeliverKey(static_cast<int>(*sample & 0xFFFFFFFF), static_cast<int>(*sample >> 32 & 0xFF),
                 static_cast<int>(*sample >> 40 & 0xFFFF));
   }
   // The toolkit has taken these keys; Allegro's copy of them must not reach
   // a later readkey().
   if (any && keyboard_driver)
      clear_keybuf();
}

}

void InstallToolkitInput()
{
   SetSourceCall(SOURCE_POINTER, ProcessPointer);
   SetSourceCall(SOURCE_KEYBOARD, ProcessKeys);
   SetSourceCall(SOURCE_CLOSE_BUTTON, ProcessCloseButton);
   if (system_driver)
      set_close_button_callback(OnCloseButton);
   if (mouse_driver) {
      last_wheel = mouse_z;
      mouse_callback = OnMouse;
   }
   if (keyboard_driver)
      keyboard_ucallback = OnKey;
}

void RemoveToolkitInput()
{
   if (mouse_callback == OnMouse)
      mouse_callback = nullptr;
   if (keyboard_ucallback == OnKey)
      keyboard_ucallback = nullptr;
   if (system_driver)
      set_close_button_callback(nullptr);
   SetSourceCall(SOURCE_POINTER, nullptr);
   SetSourceCall(SOURCE_KEYBOARD, nullptr);
   SetSourceCall(SOURCE_CLOSE_BUTTON, nullptr);
   platform_position.store(0, std::memory_order_release);
   ResetPointerTracking();
}

void InjectPointer(int x, int y, int buttons)
{
   RecordPointer(x, y, buttons);
}

void InjectWheel(int x, int y, int buttons, int notches)
{
   RecordPointer(x, y, buttons, notches);
}

void SetCloseButtonHandler(void (*fn)(void *), void *data)
{
   close_button = CloseButton{fn, data};
}

void InjectCloseButton()
{
   OnCloseButton();
}

void InjectKey(int character, int scancode, int shifts)
{
   RecordKey(character, scancode, shifts);
}
