#include "core/background_thread.h"

#include <allegro.h>
#include <allegro/platform/aintunix.h>
#include <sys/prctl.h>

#include <atomic>

namespace {

// A select() of 1 ms may last up to 11 ms: each wake-up then finds about one
// 10 ms round due, so input and sound are handled as often as before.
constexpr unsigned long SLACK_NS = 10'000'000;

std::atomic<bool> slack_set{false};
bool registered = false;

// Runs on the background thread, in every round.
void OnBackgroundRound(int)
{
   if (!slack_set.exchange(true, std::memory_order_acq_rel))
      prctl(PR_SET_TIMERSLACK, SLACK_NS, 0, 0, 0);
}

}

void QuietenAllegroBackgroundThread()
{
   if (registered || !_unix_bg_man || !_unix_bg_man->multi_threaded)
      return;
   // A thread started since the last time (Allegro reinstalled) needs it anew.
   slack_set.store(false, std::memory_order_release);
   registered = _unix_bg_man->register_func(OnBackgroundRound) == 0;
}

void ForgetAllegroBackgroundThread()
{
   if (registered && _unix_bg_man)
      _unix_bg_man->unregister_func(OnBackgroundRound);
   registered = false;
}
