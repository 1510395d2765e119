// Allegro's background thread under X: it polls every millisecond and, every
// 10 ms, reads X input (with a round trip to the server) and feeds the sound
// driver. The toolkit lets that thread's sleeps run up to 10 ms long (Linux
// timer slack), which keeps the 10 ms work on time and cuts its wake-ups from
// about 1000 a second to about 200.
#pragma once

// Asks the background thread to take the longer sleeps from its next round
// on. Does nothing where Allegro has no such thread.
void QuietenAllegroBackgroundThread();

// Stops asking (the sleeps already granted stay as they are).
void ForgetAllegroBackgroundThread();
