// The gallery's list view and popup menu samples.
#pragma once

// A framed group holding a list view (rows showing every row flag, an icon,
// row menu on the right button, rows moved by dragging, a resizable corner)
// and a button that opens a popup menu with a separator and a sub-menu.
void GalleryListGroup(void);
