#include "app/catalogue_items.h"

#include <iterator>

namespace {

#define KSTR_CATALOGUE_ROW(id, key, strings) TR_ITEM{key, strings, {strings ? "string" : nullptr}},
const TR_ITEM catalogue_items[] = {KSTR_CATALOGUE_ITEMS(KSTR_CATALOGUE_ROW)};
#undef KSTR_CATALOGUE_ROW

static_assert(std::size(catalogue_items) == msg::item_total);
static_assert(msg::item_total == 90);

}

const TR_DEFINITION CATALOGUE = {msg::item_total, msg::item_total, catalogue_items};
