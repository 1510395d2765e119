// The farewell text: the product drawing, the version line, the credits and
// the table of formats on standard output, then the final message box.
//
// Contract: called once, after the screen is back in text mode and before
// the process ends. It removes sound itself (the message box must not wait
// on a playing voice).
#pragma once

inline constexpr const char *KESTRUNE_VERSION = "1.00b";
inline constexpr const char *KESTRUNE_BUILD_DATE = "May 18 2003";

// The whole standard-output part of the banner.
const char *exit_banner_text();
// The message box's four lines.
const char *exit_banner_message();

void exit_banner();
