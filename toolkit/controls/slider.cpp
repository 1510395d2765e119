// The slider: measuring, drawing and input.
#include "toolkit/controls/slider.h"

#include "core/alloc.h"
#include "core/control.h"
#include "core/pointer_event.h"
#include "draw/draw.h"
#include "toolkit/colours.h"
#include "windows/control_class.h"
#include "windows/focus.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

struct StyleSizes {
   int knob_w, knob_h, track_h;
};

// Styles 0 to 3: standard, compact, large, thin.
constexpr StyleSizes kStyles[4] = {{9, 17, 4}, {7, 13, 3}, {11, 19, 6}, {5, 15, 2}};
constexpr int kMarker = 4;  // room for an end marker
constexpr int kTextGap = 3;

struct Slider {
   int style;
   int *value;
   int min, max;
   bool show_ends, show_limits;
   std::string min_text, max_text;
   int min_w = 0, max_w = 0;
   int length;
   int linked_id;  // the linked input field, -1 for none
   int grab = 0;   // pointer offset from the knob's centre while dragging
   ChangeFn fn = nullptr;
   void *fn_data = nullptr;
};

Slider *SliderOf(Control *c)
{
   return RecordOf<Slider>(c);
}

const StyleSizes &Sizes(const Slider &s)
{
   return kStyles[s.style];
}

int LeftPart(const Slider &s)
{
   return (s.show_limits ? s.min_w + kTextGap : 0) + (s.show_ends ? kMarker : 0);
}

// Control-relative x of the knob's centre at the value's end of the track.
int TrackStart(const Slider &s)
{
   return LeftPart(s) + Sizes(s).knob_w / 2;
}

int Clamp(const Slider &s, int v)
{
   return s.max < s.min ? s.min : std::clamp(v, s.min, s.max);
}

int KnobOffset(const Slider &s)
{
   if (s.max <= s.min || s.length <= 0)
      return 0;
   const long long range = static_cast<long long>(s.max) - s.min;
   return static_cast<int>((static_cast<long long>(Clamp(s, *s.value)) - s.min) * s.length / range);
}

int ValueAt(const Slider &s, int x)
{
   if (s.max <= s.min || s.length <= 0)
      return s.min;
   const long long range = static_cast<long long>(s.max) - s.min;
   const long long pos = std::clamp(x - TrackStart(s), 0, s.length);
   return Clamp(s, static_cast<int>(s.min + (pos * range + s.length / 2) / s.length));
}

// --- measuring -------------------------------------------------------------

void MeasureSlider(Control *c)
{
   const Slider &s = *SliderOf(c);
   const int right = (s.show_ends ? kMarker : 0) + (s.show_limits ? kTextGap + s.max_w : 0);
   const int w = LeftPart(s) + Sizes(s).knob_w + s.length + right;
   const int h = std::max(Sizes(s).knob_h, s.show_limits ? text_height(c->font) : 0);
   c->x2 = c->x1 + w - 1 + c->dw;
   c->y2 = c->y1 + h - 1 + c->dh;
}

// --- drawing ---------------------------------------------------------------

void DrawSlider(Control *c)
{
   BITMAP *b = c->surface ? c->surface->bitmap.get() : nullptr;
   if (!b)
      return;
   const Slider &s = *SliderOf(c);
   const StyleSizes &z = Sizes(s);
   int x, y;
   ControlWindowPos(c, &x, &y);
   const int x2 = x + ControlWidth(c), y2 = y + ControlHeight(c);
   const int mid = y + (ControlHeight(c) + 1) / 2;
   const int text_colour = InterfaceColour[COLOUR_TEXT];
   rectfill(b, x, y, x2, y2, InterfaceColour[COLOUR_FACE]);
   if (s.show_limits) {
      const int ty = mid - text_height(c->font) / 2;
      textout_ex(b, c->font, s.min_text.c_str(), x, ty, text_colour, -1);
      textout_ex(b, c->font, s.max_text.c_str(), x2 - s.max_w + 1, ty, text_colour, -1);
   }
   const int t1 = x + TrackStart(s), t2 = t1 + s.length;
   if (s.show_ends) {
      vline(b, t1 - z.knob_w / 2 - 2, mid - z.knob_h / 3, mid + z.knob_h / 3, text_colour);
      vline(b, t2 + z.knob_w / 2 + 2, mid - z.knob_h / 3, mid + z.knob_h / 3, text_colour);
   }
   const int ty1 = mid - z.track_h / 2, ty2 = ty1 + z.track_h - 1;
   rectfill(b, t1, ty1, t2, ty2, InterfaceColour[COLOUR_SHADOW]);
   DrawBevel(b, t1 - 1, ty1 - 1, t2 + 1, ty2 + 1, false);
   const int kx = t1 + KnobOffset(s) - z.knob_w / 2;
   const int ky = mid - z.knob_h / 2;
   rectfill(b, kx, ky, kx + z.knob_w - 1, ky + z.knob_h - 1, InterfaceColour[COLOUR_FACE]);
   DrawBevel(b, kx, ky, kx + z.knob_w - 1, ky + z.knob_h - 1, true);
   if (HasFocus(c))
      DrawFocusMark(b, x, y, x2, y2);
}

// --- input -----------------------------------------------------------------

// Stores a new value and brings the slider, its field and its handler up to date.
void Update(Control *c, int v)
{
   Slider &s = *SliderOf(c);
   v = Clamp(s, v);
   if (v == *s.value)
      return;
   *s.value = v;
   c->cls->redraw(c);
   if (Control *field = LookupControl(s.linked_id))
      field->cls->redraw(field);
   // The handler may close the window and with it this slider.
   if (s.fn)
      s.fn(s.fn_data);
}

int SliderMouse(Control *c, const PointerEvent &ev, int x, int)
{
   Slider &s = *SliderOf(c);
   if (ev.code == POINTER_WHEEL) {
      Update(c, Clamp(s, *s.value) + ev.wheel);
   } else if (ev.code == POINTER_PRESS && (ev.buttons & 1)) {
      const int centre = TrackStart(s) + KnobOffset(s);
      s.grab = std::abs(x - centre) <= Sizes(s).knob_w / 2 ? x - centre : 0;
      Update(c, ValueAt(s, x - s.grab));
   } else if (ev.code == POINTER_DRAG && (ev.press_buttons & 1)) {
      Update(c, ValueAt(s, x - s.grab));
   } else if (ev.code == POINTER_RELEASE) {
      s.grab = 0;
   }
   return 1;
}

int SliderKey(Control *c, int, int scancode, int)
{
   const Slider &s = *SliderOf(c);
   const int v = Clamp(s, *s.value);
   switch (scancode) {
   case KEY_END:
   case KEY_1_PAD: Update(c, s.max); return 1;
   case KEY_HOME:
   case KEY_7_PAD: Update(c, s.min); return 1;
   case KEY_LEFT:
   case KEY_DOWN:
   case KEY_2_PAD:
   case KEY_4_PAD: Update(c, v > s.min ? v - 1 : v); return 1;
   case KEY_RIGHT:
   case KEY_UP:
   case KEY_6_PAD:
   case KEY_8_PAD: Update(c, v < s.max ? v + 1 : v); return 1;
   default: return 0;
   }
}

const InputClass kSliderInput = {SliderMouse, SliderKey};

// --- class -----------------------------------------------------------------

int SetSliderHandler(Control *c, ChangeFn fn, void *data)
{
   Slider &s = *SliderOf(c);
   s.fn = fn;
   s.fn_data = data;
   return 1;
}

int SliderValue(Control *c)
{
   return *SliderOf(c)->value;
}

const ControlClass *SliderClass()
{
   static ClassSlot slot;
   return ClassOnce(slot, [](ControlClass &k) {
      k.measure = MeasureSlider;
      k.draw = DrawSlider;
      k.set_change_handler = SetSliderHandler;
      k.get_value = SliderValue;
   });
}

// The linked field's edit ended with Enter: the slider follows its value.
void FieldEntered(void *data)
{
   Control *c = LookupControl(static_cast<int>(reinterpret_cast<intptr_t>(data)));
   if (!c || c->cls != SliderClass())
      return;
   Control *field = LookupControl(SliderOf(c)->linked_id);
   if (!field)
      return;
   const int v = field->cls->get_value(field);
   Update(c, v);
   if (LookupControl(c->id) && *SliderOf(c)->value != v)
      field->cls->redraw(field);  // kept within range: the field shows where the slider stopped
}

int StyleOf(int flags)
{
   switch (flags & 0x2C) {
   case SLIDER_STYLE_1: return 1;
   case SLIDER_STYLE_2: return 2;
   case SLIDER_STYLE_3: return 3;
   default: return 0;
   }
}

}

int PlaceSlider(int x, int y, int length, int *value, int min, int max, int flags, int linked_id)
{
   if (!value)
      return -1;
   Control *c = CreateControl(SliderClass(), x, y, "");
   if (!c)
      return -1;
   Slider *s = MakeRecord<Slider>(c);
   s->style = StyleOf(flags);
   s->value = value;
   s->min = min;
   s->max = max;
   s->show_ends = flags & SLIDER_END_MARKERS;
   s->show_limits = (flags & SLIDER_LIMIT_TEXTS) && s->style != 2;
   s->min_text = std::to_string(min);
   s->max_text = std::to_string(max);
   s->min_w = text_length(c->font, s->min_text.c_str());
   s->max_w = text_length(c->font, s->max_text.c_str());
   s->length = std::max(length, 1);
   s->linked_id = -1;
   c->event_cls = &kSliderInput;
   MakeFocusable(c);
   Control *field = linked_id != c->id ? LookupControl(linked_id) : nullptr;
   if (field && field->parent) {
      s->linked_id = linked_id;
      field->cls->set_change_handler(field, FieldEntered, reinterpret_cast<void *>(intptr_t{c->id}));
   }
   return c->id;
}

int SliderKnobScreenX(int id)
{
   Control *c = LookupControl(id);
   if (!c || c->cls != SliderClass())
      return 0;
   int x, y;
   ControlScreenPos(c, &x, &y);
   return x + TrackStart(*SliderOf(c)) + KnobOffset(*SliderOf(c));
}
