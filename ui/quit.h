// Leaving the program: the farewell question and the way out after it.
//
// Contract:
// - quit_request asks one of ten randomly chosen farewell questions, with
//   ";)" as the mouse pointer while it is open. The first button ends the
//   process: sound, timers and the toolkit shut down, the screen fades out,
//   text mode, the exit banner on standard output, exit status 0. Any other
//   button gives the normal pointer back and changes nothing.
// - quit_request is also what the frame's close button does (the toolkit's
//   SetCloseButtonHandler); quit_request_queued only queues it for the event
//   loop, so any thread may call it.
#pragma once

inline constexpr int QUIT_PAIRS = 10;

// Catalogue items of pair r (0-9): the title, then the message with its
// button labels after "|".
int quit_title_item(int r);
int quit_message_item(int r);

void quit_request(void *data);
void quit_request_queued();
