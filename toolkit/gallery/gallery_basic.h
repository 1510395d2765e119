// The gallery's buttons, tabs, check box, two-state choice, progress bar and
// nested framed groups.
#pragma once

// A framed group holding a tab control: the first page shows icon and text
// buttons, a check box, a two-state choice and a progress bar that a button
// advances; the second page nests framed groups.
void GalleryBasicGroup(void);
