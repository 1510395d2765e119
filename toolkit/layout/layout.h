// Automatic layout: placement codes, layout flags and container fitting.
//
// A container lays its children out in two passes. The size pass (its
// `measure`) measures every child, places the placed ones in creation order,
// equalises widths and heights, places again and fits the container around
// them unless it has a fixed size. The fill pass (`fill_children`), run once
// the container's own size is final, stretches and aligns the children and
// then fills the child containers. Controls marked `not_placed` are skipped
// except that their `stretch` hook runs in the fill pass.
#pragma once

#include "core/control.h"

// Sets place_code or the coordinates, the four hooks and flags_hi from the
// placement pair.
void DecodePlacement(Control *c, int x, int y);

// Container class operations.
void MeasureContainer(Control *c);             // slot 0 of containers
void LayoutChildren(Control *c);               // slot 16
void FillChildren(Control *c);                 // slot 17
void GrowToChild(Control *c, Control *child);  // slot 25
void FitChildren(Control *c);                  // slot 26

// Lays out a whole container tree whose top-left stays where it is.
void LayoutTree(Control *top);

// The nearest earlier sibling that takes part in the layout.
Control *PreviousPlaced(const Control *c);
