// Writing the settings back to "./kstr.ini": the graphics and language
// settings of the configuration and the engine's sound settings, in their
// fixed order.
#pragma once

// Writes every saved key in its fixed order and flushes the file to disk.
// Returns 0 when the file on disk holds what was written, -1 otherwise.
int settings_write();

// Action of the settings dialog's save button: settings_write, then tells the
// user whether the settings were saved.
void settings_save(void *data);
