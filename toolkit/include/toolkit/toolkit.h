// The widget toolkit's public face: everything a program using the toolkit
// needs. Include this header, or the single public headers it gathers.
//
// Labels: `_` ends a line, `__` is `_`, `~c` shows c and makes it the hot
// key, `~~` is `~`, `##` is `#`, `#n;` / `#a,b;` add hot keys, `#name;` shows
// the registered image `name`, characters below 32 add hot keys.
#pragma once

#include "toolkit/colours.h"
#include "toolkit/control_calls.h"
#include "toolkit/cursors.h"
#include "toolkit/events.h"
#include "toolkit/fonts.h"
#include "toolkit/images.h"
#include "toolkit/keyboard_focus.h"
#include "toolkit/placement.h"
#include "toolkit/start.h"
#include "toolkit/windows.h"

#include "toolkit/controls/button.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/choice_list.h"
#include "toolkit/controls/cycle_button.h"
#include "toolkit/controls/group_box.h"
#include "toolkit/controls/input_field.h"
#include "toolkit/controls/label.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/controls/popup_menu.h"
#include "toolkit/controls/progress_bar.h"
#include "toolkit/controls/sample_box.h"
#include "toolkit/controls/slider.h"
#include "toolkit/controls/tabs.h"
#include "toolkit/controls/text_field.h"

#include "toolkit/file_selector.h"
#include "toolkit/requesters.h"

#include <allegro.h>
