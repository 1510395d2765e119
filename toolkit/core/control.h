// The toolkit's lowest floor: the control record, the class table type,
// containers, window records, the control table and the toolkit state. Nothing
// here calls a higher floor.
//
// Contract:
// - A `Control` belongs to the toolkit from creation until it is destroyed
//   with its window (or alone). Ids are indexes into the control table;
//   LookupControl answers null for an id that names no control and for an
//   emptied entry.
// - `refs` counts pins held by the event loop (PinControl, windows/input_sink.h).
//   Destroying a pinned control tears it down and unregisters it (its id
//   answers null at once) but the record itself is freed at the last unpin.
// - Coordinates: `x1, y1, x2, y2` are inclusive corners relative to the parent
//   container. A container's "width" in the layout rules is x2 - x1.
// - Class tables are built once per class from the base table (ClassOnce,
//   windows/control_class.h).
// - All toolkit allocations go through the guarded wrappers (core/alloc.h);
//   running out of memory never returns to the caller.
#pragma once

#include "core/alloc.h"
#include "core/pointer_event.h"

#include <allegro.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct Control;
struct Container;
struct WindowRecord;
struct ImageEntry;

// RAII for bitmaps the toolkit owns.
struct BitmapDeleter {
   void operator()(BITMAP *b) const
   {
      if (b)
         destroy_bitmap(b);
   }
};
using BitmapPtr = std::unique_ptr<BITMAP, BitmapDeleter>;

struct HotKey {
   uint8_t scan;  // platform scancode; 0 = match by character
   uint8_t key;   // the character after case folding
};

using ChangeFn = void (*)(void *);
using ClickFn = void (*)(int id, void *data, int buttons, int clicks);
using LayoutHook = void (*)(Control *);

// The 27 operations of a control class, in slot order.
struct ControlClass {
   void (*measure)(Control *);                                     // 0: x2, y2 from the natural size
   void (*grow)(Control *, int dw, int dh);                        // 1
   void (*resolve_icon)(Control *);                                // 2
   void (*reserved3)(Control *);                                   // 3
   void (*unlink)(Control *);                                      // 4
   void (*destroy)(Control *);                                     // 5
   void (*close)(Control *);                                       // 6: on a window root
   void (*deactivate)(Control *);                                  // 7
   void (*activate)(Control *);                                    // 8
   void (*draw)(Control *);                                        // 9: into the window bitmap
   void (*redraw)(Control *);                                      // 10: draw, then copy to the screen
   int (*set_change_handler)(Control *, ChangeFn, void *);         // 11
   int (*get_value)(Control *);                                    // 12
   void (*reserved13)(Control *);                                  // 13
   void (*reserved14)(Control *);                                  // 14
   void (*reserved15)(Control *);                                  // 15
   void (*layout_children)(Control *);                             // 16: container: place, equalise, fit
   void (*fill_children)(Control *);                               // 17: container: stretch and align
   void (*reserved18)(Control *);                                  // 18
   int (*make_resizable)(Control *, ChangeFn, void *, int flags);  // 19
   void (*attach)(Control *);                                      // 20: connect to the shown window
   void (*reserved21)(Control *);                                  // 21
   void (*get_size_adjust)(Control *, int *dw, int *dh);           // 22
   void (*set_size_adjust)(Control *, int dw, int dh);             // 23
   void (*set_style)(Control *, uint8_t style);                    // 24
   void (*grow_to_child)(Control *, Control *child);               // 25: container grows to hold child
   void (*fit_children)(Control *);                                // 26: container fits its children
};
static_assert(sizeof(ControlClass) == 27 * sizeof(void (*)()), "27 slots");

// Input handling of a control (its `event_cls`). Handlers return 1 when they
// consumed the event. `x, y` are relative to the control's top-left corner;
// the event itself carries screen coordinates (see core/pointer_event.h).
struct InputClass {
   int (*mouse)(Control *, const PointerEvent &event, int x, int y);
   int (*key)(Control *, int character, int scancode, int shifts);
};

// A control kind's own state, owned by its control: any type, freed through
// the deleter that came with it. The base teardown frees it at one point for
// every kind: after the children and the teardown hooks, before the control
// leaves the control table. References to state owned elsewhere (a tab set, a
// file selector) are fields of a record, never the record itself.
using RecordPtr = std::unique_ptr<void, void (*)(void *)>;
inline void NoRecordToFree(void *) {}

struct Control {
   int32_t x1, y1, x2, y2;
   int32_t dw, dh;
   int32_t id;
   WindowRecord *surface;  // the shown window drawn into; null before
   std::vector<HotKey> hotkeys;
   Container *parent;                          // null for the desktop
   Control *next, *prev;                       // siblings in creation order
   RecordPtr record{nullptr, NoRecordToFree};  // the kind's own state (MakeRecord)
   const ControlClass *cls;
   const InputClass *event_cls;
   LayoutHook equalise, place, stretch, align;
   ChangeFn on_action;
   void *action_data;
   ClickFn on_click;
   void *click_data;
   uint8_t click_flag;
   int32_t flags_hi;  // bits 0x0C000000 of the placement word
   int32_t refs;
   int32_t place_code;  // 1, 2, 4, 8, 16; 0 for coordinates
   uint8_t not_placed;
   uint8_t hk_x, hk_w, hk_line;  // underlined hot key; hk_line 0xFF = none
   uint8_t style;
   uint8_t active;
   uint8_t doomed;  // destroyed; freed at the last unpin
   FONT *font;
   std::shared_ptr<const ImageEntry> icon;
   std::string icon_name;
   std::vector<std::string> text;     // display lines
   std::vector<std::string> tooltip;  // tooltip lines; empty = none
   BitmapPtr saved_under;             // screen below the shown tooltip
   Container *container;              // non-null when this control is a container
   void (*on_exit)(Control *);        // run by destroy (exit notifier)
};

inline constexpr uint8_t NO_HOTKEY_LINE = 0xFF;

template <class T>
void DeleteRecord(void *record)
{
   delete static_cast<T *>(record);
}

// Gives `c` a new record of type T made from `args` (guarded allocation),
// replacing any record it had, and returns it.
template <class T, class... Args>
T *MakeRecord(Control *c, Args &&...args)
{
   T *record = GuardedNew<T>(std::forward<Args>(args)...);
   c->record = RecordPtr(record, DeleteRecord<T>);
   return record;
}

// The record of `c`, which its class made as a T.
template <class T>
T *RecordOf(const Control *c)
{
   return static_cast<T *>(c->record.get());
}

struct ImageEntry {
   std::string name;
   BitmapPtr image;
   int kind;
   int width, height;
};

struct Container {
   Control *self;
   Control *first, *last;
   Control *insert_at;  // the next control is linked after this one
   WindowRecord *window;
   int32_t left_margin, h_gap, right_margin;
   int32_t top_margin, v_gap, bottom_margin;
   bool fixed_size;
   int32_t fixed_w, fixed_h;
   int32_t scroll_x, scroll_y;
   std::vector<std::shared_ptr<const ImageEntry>> images;
};

struct WindowRecord {
   bool modal;
   int drag_area;  // control id, -1 for none
   bool full_screen;
   bool shown;
   Container *root;
   Container *client;
   std::string title;
   int modal_above;       // modal windows opened from this one
   WindowRecord *opener;  // the window this one was opened from
   BitmapPtr bitmap;      // the window's picture, root-sized
   Control *focus;        // receives keys first
   // The application's keys for this window (SetWindowKeyHandler), asked
   // before the focused control.
   int (*key_handler)(void *data, int character, int scancode, int shifts);
   void *key_data;
};

// Control table.
inline constexpr int CONTROL_TABLE_STEP = 10000;
inline constexpr int CONTROL_TABLE_CEILING = 250000;
int RegisterControl(Control *c);  // the new id, or -1 when the table is full
void UnregisterControl(int id);
Control *LookupControl(int id);  // null for bad or empty ids
int ControlTableCount(void);
int ControlTableCapacity(void);
void ResetControlTable(void);

// Links `c` into `box` after box->insert_at (which then becomes `c`), and
// takes it out of its parent again.
void LinkControl(Container *box, Control *c);
void UnlinkControl(Control *c);

// Makes `c` a container (spacing copied as for nested containers).
Container *MakeContainer(Control *c);
void SetSpacing(Container *box, int h, int v);

// The container new controls go into: the innermost open group, else the
// client of the window under construction; null when neither exists.
Container *OpenContainer(void);
void PushGroup(Container *box);
void PopGroup(void);

// Toolkit state.
bool ToolkitRunning(void);
bool ToolkitStarting(void);
Container *Desktop(void);
WindowRecord *WindowUnderConstruction(void);
WindowRecord *TopWindow(void);
const std::vector<WindowRecord *> &WindowsBottomToTop(void);
WindowRecord *WindowOf(const Control *c);

// Geometry helpers.
int ControlWidth(const Control *c);   // x2 - x1
int ControlHeight(const Control *c);  // y2 - y1
// Whether (x, y), relative to the control's top-left corner as input
// handlers get it, lies on the control (corners inclusive).
bool PointInside(const Control *c, int x, int y);
// Top-left of `c` in its window bitmap, and on the screen.
void ControlWindowPos(const Control *c, int *x, int *y);
void ControlScreenPos(const Control *c, int *x, int *y);

// Exit handlers, run newest first by StopToolkit.
void RegisterExitHandler(void (*fn)(void *), void *arg);
void RunExitHandlers(void);

Container *ContainerOf(Control *c);  // c itself if a container, else its parent
