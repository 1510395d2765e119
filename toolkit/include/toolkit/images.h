// Named images, shown in labels as `#name;`. `owner` is a control id; 0 is
// the desktop (seen everywhere); a name is looked up from the control's
// container outwards.
#pragma once

struct BITMAP;

// Results: the owner's container id, or -1.
int LoadIconFile(const char *path, const char *name, int kind, int owner);
int LoadIconDatafile(const char *path);

// Takes ownership of `image` (converted to the screen's colour depth when it
// differs) and replaces an entry of the same name in the owner's container; a
// null image removes the entry. False when `owner` names no control (the image
// is then freed). Controls showing a replaced image keep the old one until
// their icon is resolved again.
bool RegisterImage(BITMAP *image, const char *name, int kind, int owner);
