// Tells the user how saving the settings went. Kept apart from the writing so
// the writing can be exercised without a window on screen.
#pragma once

void settings_notice(bool saved);
