#include "core/background_thread.h"

#include <allegro.h>
#include <allegro/platform/aintunix.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xalleg.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// X input arriving faster than this is read in batches, so a flood of
// events (or a connection that stays readable) cannot spin the thread.
constexpr auto MIN_ROUND_GAP = std::chrono::milliseconds(8);
constexpr std::size_t MAX_FUNCS = 16;

struct Background {
   std::mutex mutex;
   std::condition_variable enabled;
   int cli_count = 0;
   std::array<bg_func, MAX_FUNCS> funcs{};
   std::thread thread;
   std::thread::id thread_id;
   int wake_fd = -1;
   std::atomic<bool> alive{false};
   std::atomic<long> rounds{0};
   std::atomic<long> input_rounds{0};
   std::atomic<int> registered{0};
};

// Allegro ends from an atexit handler: the state must outlive static
// destructors.
Background &State()
{
   static auto *state = new Background;
   return *state;
}

bool OnBackgroundThread()
{
   return std::this_thread::get_id() == State().thread_id;
}

// Allegro closes the display under its lock.
int XConnection()
{
   XLOCK();
   const int fd = _xwin.display ? ConnectionNumber(_xwin.display) : -1;
   XUNLOCK();
   return fd;
}

// Allegro counts two things in rounds of its own 10-ms cadence: its sound
// drivers mix a fragment a round, and after the pointer was placed by the
// program it follows the pointer by relative motion for 25 rounds (or 200
// after mickeys were read), which must stay a quarter of a second (or two).
int RoundMs(const Background &b)
{
   return b.registered.load() > 1 || _xwin.mouse_warped ? DRIVER_ROUND_MS : BACKGROUND_ROUND_MS;
}

// Events taken off the connection but not handled wait in Xlib's queue,
// where polling the connection no longer shows them: a round reads at most a
// batch, and the main thread's own X calls read events along with replies.
bool EventsLeftInQueue()
{
   XLOCK();
   const bool left = _xwin.display && XEventsQueued(_xwin.display, QueuedAlready) > 0;
   XUNLOCK();
   return left;
}

void RunRound(Background &b)
{
   std::unique_lock lock(b.mutex);
   b.enabled.wait(lock, [&b] { return b.cli_count == 0 || !b.alive.load(); });
   if (!b.alive.load())
      return;
   for (bg_func f : b.funcs)
      if (f)
         f(1);
   b.rounds.fetch_add(1, std::memory_order_relaxed);
}

void ThreadMain()
{
   Background &b = State();
   auto last_round = std::chrono::steady_clock::now();
   bool more_queued = false;
   while (b.alive.load()) {
      std::array<pollfd, 2> fds{{{b.wake_fd, POLLIN, 0}, {XConnection(), POLLIN, 0}}};
      const nfds_t count = fds[1].fd >= 0 ? 2 : 1;
      const bool woken = poll(fds.data(), count, more_queued ? 0 : RoundMs(b)) > 0;
      if (woken && (fds[0].revents & POLLIN)) {
         eventfd_t ignored;
         eventfd_read(b.wake_fd, &ignored);
      }
      if (!b.alive.load())
         break;
      if (woken)
         b.input_rounds.fetch_add(1, std::memory_order_relaxed);
      const auto since = std::chrono::steady_clock::now() - last_round;
      if (since < MIN_ROUND_GAP)
         std::this_thread::sleep_for(MIN_ROUND_GAP - since);

      last_round = std::chrono::steady_clock::now();
      RunRound(b);
      more_queued = EventsLeftInQueue();
   }
}

int Init()
{
   Background &b = State();
   b.wake_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
   if (b.wake_fd < 0)
      return -1;
   b.alive.store(true);
   // Signals belong to the main thread, as with Allegro's own thread.
   sigset_t all, old;
   sigfillset(&all);
   pthread_sigmask(SIG_BLOCK, &all, &old);
   b.thread = std::thread(ThreadMain);
   b.thread_id = b.thread.get_id();
   pthread_sigmask(SIG_SETMASK, &old, nullptr);
   return 0;
}

void Exit()
{
   Background &b = State();
   if (!b.thread.joinable())
      return;
   // Ended from a round itself (Xlib ends the process when the server goes
   // away): the round holds the lock and the process is on its way out.
   if (OnBackgroundThread()) {
      b.alive.store(false);
      b.thread.detach();
      return;
   }
   {
      std::lock_guard lock(b.mutex);
      b.alive.store(false);
   }
   b.enabled.notify_all();
   eventfd_write(b.wake_fd, 1);
   b.thread.join();
   b.thread_id = {};
   close(b.wake_fd);
   b.wake_fd = -1;
   b.funcs.fill(nullptr);
   b.registered.store(0);
   b.cli_count = 0;
}

// A background function may (un)register while its round holds the lock.
template <typename Fn>
auto Locked(Fn &&fn)
{
   Background &b = State();
   if (OnBackgroundThread())
      return fn(b);
   std::lock_guard lock(b.mutex);
   return fn(b);
}

int Register(bg_func f)
{
   return Locked([f](Background &b) {
      for (bg_func &slot : b.funcs)
         if (!slot) {
            slot = f;
            b.registered.fetch_add(1);
            return 0;
         }
      return -1;
   });
}

int Unregister(bg_func f)
{
   return Locked([f](Background &b) {
      for (bg_func &slot : b.funcs)
         if (slot == f) {
            slot = nullptr;
            b.registered.fetch_sub(1);
         }
      return 0;
   });
}

void EnableInterrupts()
{
   if (Locked([](Background &b) { return b.cli_count > 0 && --b.cli_count == 0; }))
      State().enabled.notify_all();
}

void DisableInterrupts()
{
   Locked([](Background &b) { return ++b.cli_count; });
}

int InterruptsDisabled()
{
   return Locked([](Background &b) { return b.cli_count; });
}

}

void InstallBackgroundThread()
{
   // Allegro's own thread, once running, must be ended by its own functions.
   if (system_driver)
      return;
   // The X system driver starts the manager it finds here.
   _bg_man_pthreads =
      bg_manager{1, Init, Exit, Register, Unregister, EnableInterrupts, DisableInterrupts, InterruptsDisabled};
}

long BackgroundRounds()
{
   return State().rounds.load(std::memory_order_relaxed);
}

long BackgroundInputRounds()
{
   return State().input_rounds.load(std::memory_order_relaxed);
}

void FlushScreenToServer()
{
   XLOCK();
   if (_xwin.display)
      XFlush(_xwin.display);
   XUNLOCK();
   Background &b = State();
   if (b.wake_fd >= 0 && EventsLeftInQueue())
      eventfd_write(b.wake_fd, 1);
}
