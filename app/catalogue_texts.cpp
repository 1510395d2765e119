#include "app/catalogue_texts.h"

#include "app/catalogue_items.h"

#include <cstdlib>
#include <cstring>

char *yes_no_texts[2] = {nullptr, nullptr};

namespace {

char *heap_copy(const char *text)
{
   const char *t = text ? text : "";
   size_t size = std::strlen(t) + 1;
   char *copy = static_cast<char *>(std::malloc(size));
   if (copy)
      std::memcpy(copy, t, size);
   return copy;
}

}

std::string catalogue_error_detail(int error, int line)
{
   switch (error) {
   case TR_ERR_OPEN: return "Error opening file";
   case TR_ERR_CREATE: return "Error creating translation";
   case TR_ERR_SYNTAX: return "Syntax error: expected '=' after item name at line " + std::to_string(line);
   default: return "";
   }
}

void copy_yes_no_texts()
{
   for (char *&text : yes_no_texts)
      std::free(text);
   yes_no_texts[0] = heap_copy(tr_text(msg::no));
   yes_no_texts[1] = heap_copy(tr_text(msg::yes));
}
