// The control table: ids are indexes into one array of pointers.
#include "core/control.h"

#include <vector>

namespace {

struct ControlTable {
   std::vector<Control *> entries;  // size() is the capacity
   int count = 0;
};

ControlTable &Table()
{
   static ControlTable *table = new ControlTable;  // outlives static destructors
   return *table;
}

int LowestEmptyEntry(const ControlTable &t)
{
   for (int i = 0; i < t.count; ++i)
      if (!t.entries[i])
         return i;
   return -1;
}

}

int RegisterControl(Control *c)
{
   ControlTable &t = Table();
   int id;
   if (t.count < static_cast<int>(t.entries.size())) {
      id = t.count++;
   } else if (t.entries.size() < static_cast<std::size_t>(CONTROL_TABLE_CEILING)) {
      // New entries come zeroed from resize.
      t.entries.resize(t.entries.size() + CONTROL_TABLE_STEP, nullptr);
      id = t.count++;
   } else {
      // At the ceiling: reuse the lowest empty entry, or refuse. Overwriting a
      // live entry would hand one id to two controls.
      id = LowestEmptyEntry(t);
      if (id < 0)
         return -1;
   }
   t.entries[id] = c;
   c->id = id;
   return id;
}

void UnregisterControl(int id)
{
   ControlTable &t = Table();
   if (id < 0 || id >= t.count)
      return;
   t.entries[id] = nullptr;
   if (id == t.count - 1)
      while (t.count > 0 && !t.entries[t.count - 1])
         --t.count;
}

Control *LookupControl(int id)
{
   const ControlTable &t = Table();
   if (id < 0 || id >= t.count)
      return nullptr;
   return t.entries[id];
}

int ControlTableCount(void)
{
   return Table().count;
}

int ControlTableCapacity(void)
{
   return static_cast<int>(Table().entries.size());
}

void ResetControlTable(void)
{
   ControlTable &t = Table();
   t.entries.clear();
   t.entries.shrink_to_fit();
   t.count = 0;
}
