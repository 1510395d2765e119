// PlaceTextField: the text field of the controls floor, and the requester
// telling that its file could not be opened.
#include "toolkit/controls/text_field.h"

#include "core/alloc.h"
#include "input/event_system.h"
#include "requesters/toolkit_texts.h"
#include "toolkit/events.h"
#include "toolkit/requesters.h"

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char *kOpenError = "Error opening file %s.|#27;Continue";

// Queued: `data` is the file name, owned by this call.
void ShowOpenError(void *data)
{
   std::unique_ptr<std::string> name(static_cast<std::string *>(data));
   if (EventSystemFlushing())
      return;  // the toolkit is shutting down; nobody would see it
   const std::vector<std::string> texts = ToolkitTexts("obtext");
   const std::string form = texts.empty() ? kOpenError : texts[0];
   const std::size_t at = form.find("%s");
   const std::string message = at == std::string::npos ? form : form.substr(0, at) + *name + form.substr(at + 2);
   AlertBox("", message.c_str());
}

}

int PlaceTextField(int x, int y, char *text, int width, int lines, int flags)
{
   int file_error = 0;
   const int id = PlaceTextFieldChecked(x, y, text, width, lines, flags, &file_error);
   if (id >= 0 && file_error)
      QueueCall(ShowOpenError, GuardedNew<std::string>(text ? text : ""), 0, 0);
   return id;
}
