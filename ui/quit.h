// Leaving the program: the farewell question and the way out after it.
//
// Contract:
// - quit_request asks one of ten randomly chosen farewell questions, with
//   ";)" as the mouse pointer while it is open. The first button ends the
//   process: sound, timers and the toolkit shut down, the screen fades out,
//   text mode, the exit banner on standard output, exit status 0. Any other
//   button gives the normal pointer back and changes nothing.
// - quit_request_queued is the window's close button: Allegro calls it on
//   its own thread, so it only queues quit_request for the event loop.
#pragma once

inline constexpr int QUIT_PAIRS = 10;

// Catalogue items of pair r (0-9): the title, then the message with its
// button labels after "|".
int quit_title_item(int r);
int quit_message_item(int r);

void quit_request(void *data);
void quit_request_queued();
