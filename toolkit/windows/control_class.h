// The base control class and the creation steps every control kind shares.
// The base class's defaults reach every floor below: icons (draw), the
// layout of containers, the screen refresh, focus and tooltips (windows).
#pragma once

#include "core/control.h"

const ControlClass &BaseControlClass(void);
struct ClassSlot {
   ControlClass table;
   bool built;
};
// Builds `slot` once from the base table, letting `customise` replace the
// class's own entries; later calls return the same table.
const ControlClass *ClassOnce(ClassSlot &slot, void (*customise)(ControlClass &));
extern const InputClass kNoInput;

// Steps common to every creator: register, link into the container under
// construction, decode the placement pair, parse the label. Null when no
// container is open or the table is full.
Control *CreateControl(const ControlClass *cls, int x, int y, const char *label);
// The first two steps alone: a registered control linked into `into` (may
// be null); null when the table is full.
Control *NewControl(const ControlClass *cls, Container *into);
// The base class of group-like controls: draws and attaches its children and
// lays them out.
const ControlClass *ContainerClass(void);
void DestroyControl(Control *c);
void DoNothing(void *);
