// AlertBox: a modal message with a row of buttons; ReportMessage.
#include "toolkit/requesters.h"

#include "requesters/requester_parts.h"

#include "core/control.h"
#include "input/loops.h"
#include "layout/layout.h"
#include "toolkit/controls/button.h"
#include "toolkit/controls/text_field.h"
#include "toolkit/cursors.h"
#include "toolkit/keyboard_focus.h"
#include "toolkit/placement.h"
#include "toolkit/start.h"
#include "toolkit/windows.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char *kFallbackTitle = "Error";
constexpr const char *kFallbackText = "Internal: No texts available|S~top";

// Placement word of the buttons: equal heights down a column.
constexpr int kButtonY = LAYOUT_EQUAL_HEIGHT | AUTO;
// The message stretches across the requester.
constexpr int kMessageY = LAYOUT_STRETCH | AUTO;

// What an open requester needs until AlertBox returns: the message the text
// field shows and one record per button.
struct Requester {
   struct Button {
      Requester *owner;
      int index;
      int id;  // the button control
   };
   std::string message;
   std::vector<Button> buttons;
   int window = 0;
};

// Open requesters, innermost last.
std::vector<const Requester *> &OpenRequesters()
{
   static auto *open = new std::vector<const Requester *>;  // outlives static destructors
   return *open;
}

void OnButton(void *data)
{
   const auto *button = static_cast<const Requester::Button *>(data);
   // The requester's loop is the innermost one: its window is modal and on
   // top, so no other window's callback runs between its opening and this.
   if (auto *result = static_cast<int *>(EndLoop(LOOP_SYSTEM)))
      *result = button->index;
   if (Control *root = LookupControl(button->owner->window))
      root->cls->close(root);
}

bool IsEscape(int character, int scancode)
{
   return scancode == KEY_ESC || character == 27;
}

// Escape answers as the last button does, unless a button took Escape as
// its own hot key (`#27;`), which then answers.
int RequesterKey(void *data, int character, int scancode, int)
{
   auto *r = static_cast<Requester *>(data);
   if (!IsEscape(character, scancode) || r->buttons.empty())
      return 0;
   for (const Requester::Button &b : r->buttons)
      if (const Control *c = LookupControl(b.id))
         for (const HotKey &k : c->hotkeys)
            if (k.scan ? k.scan == KEY_ESC : k.key == 27)
               return 0;
   OnButton(&r->buttons.back());
   return 1;
}

// Places the buttons left to right; a button that takes the run of widths
// in its row past REQUESTER_ROW_WIDTH starts a new row.
void PlaceButtons(Requester &r, const std::vector<std::string> &labels)
{
   r.buttons.reserve(labels.size());
   int row = 0;
   for (std::size_t i = 0; i < labels.size(); ++i) {
      r.buttons.push_back(Requester::Button{&r, static_cast<int>(i), -1});
      const int code = i == 0 ? PLACE_NEW_ROW : PLACE_RIGHT;
      const int id = PlaceButton(code, kButtonY, labels[i].c_str(), OnButton, &r.buttons.back());
      r.buttons.back().id = id;
      Control *c = LookupControl(id);
      if (!c)
         continue;
      c->cls->measure(c);
      const int width = c->x2 - c->x1;
      row += width;
      if (i > 0 && row > REQUESTER_ROW_WIDTH) {
         DecodePlacement(c, PLACE_NEW_ROW, kButtonY);
         row = width;
      }
   }
}

// The requester's window, or 0 when it cannot be made (no `|` in the text,
// another window under construction).
int BuildRequester(Requester &r, const char *title, const char *text)
{
   const std::string whole = text;
   const std::size_t bar = whole.find('|');
   if (bar == std::string::npos)
      return 0;
   r.message = whole.substr(0, bar);
   r.window = MakeWindow(0, AUTO, title ? title : "", 0);
   if (r.window <= 0)
      return r.window = 0;
   PlaceTextField(PLACE_FIRST, kMessageY, r.message.data(), REQUESTER_TEXT_WIDTH, 0, 0);
   PlaceButtons(r, RequesterButtonLabels(whole.c_str() + bar + 1));
   PresentWindow();
   // Enter and Space answer with the first button, the default.
   if (!r.buttons.empty())
      FocusControl(r.buttons.front().id);
   SetWindowKeyHandler(r.window, RequesterKey, &r);
   return r.window;
}

}

std::vector<std::string> RequesterButtonLabels(const char *buttons)
{
   std::vector<std::string> labels;
   std::string label;
   const char *p = buttons ? buttons : "";
   for (;;) {
      if (*p == '|' || *p == '\0') {
         std::size_t run = 0;
         while (p[run] == '|')
            ++run;
         label.append(run / 2, '|');
         p += run;
         if (run % 2 == 0 && *p)
            continue;
         if (!label.empty())
            labels.push_back(label);
         label.clear();
         if (!*p)
            break;
      } else {
         label.push_back(*p++);
      }
   }
   return labels;
}

std::string RequesterMessage(void)
{
   return OpenRequesters().empty() ? std::string() : OpenRequesters().back()->message;
}

int AlertBox(const char *title, const char *text)
{
   bool started_here = false;
   if (!ToolkitRunning()) {
      // A requester cannot be shown by a toolkit that is half made.
      if (ToolkitStarting())
         return 0;
      if (StartToolkit(0, 0, 0, &errno, atexit) != 1)
         return 0;
      started_here = true;
   }
   const bool empty = !text || !*text;
   Requester shown;
   if (!empty)
      BuildRequester(shown, title, text);
   UseMouseCursor(CURSOR_ARROW);
   if (!shown.window) {
      shown = Requester{};
      BuildRequester(shown, kFallbackTitle, kFallbackText);
   }
   int result = 0;
   if (shown.window) {
      OpenRequesters().push_back(&shown);
      RunLoop(LOOP_SYSTEM, &result, "Request");
      std::erase(OpenRequesters(), &shown);
   }
   if (started_here)
      StopToolkit();
   return empty ? REQUESTER_NO_TEXT : result;
}

void ReportMessage(const char *a, const char *b)
{
   const std::string first = a ? a : "", second = b ? b : "";
   if (ToolkitRunning()) {
      AlertBox("Message", (first + " " + second + "|OK").c_str());
      return;
   }
   if (ToolkitStarting() && screen) {
      // The screen is set but no window can be made yet.
      const char *lines[] = {first.c_str(), second.c_str(), "Press a key to continue"};
      for (int i = 0; i < 3; ++i)
         textout_ex(screen, font, lines[i], 10, 10 + i * (text_height(font) + 2), 255, -1);
   } else {
      std::printf("%s\n%s\nPress a key to continue\n", first.c_str(), second.c_str());
      std::fflush(stdout);
   }
   if (keyboard_driver)
      readkey();
   else
      std::getchar();
}
