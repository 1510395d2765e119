#include "toolkit/event_signals.h"

#include <allegro.h>

#include <atomic>

namespace event_signals {

namespace {

std::atomic<bool> timer_running{false};
std::atomic<uint64_t> ticks{0};
std::atomic<int> pending{0};
std::atomic<int> elapsed{0};
std::atomic<bool> busy{false};
std::atomic<uint32_t> marks{0};
std::atomic<uint32_t> wake_sequence{0};
// While false, ticks are counted but do not wake the loop: nothing it waits
// for depends on time.
std::atomic<bool> ticks_wake{true};

void Wake()
{
   wake_sequence.fetch_add(1, std::memory_order_release);
   wake_sequence.notify_one();
}

void OnTick()
{
   ticks.fetch_add(1, std::memory_order_relaxed);
   pending.fetch_add(1, std::memory_order_relaxed);
   if (!busy.load(std::memory_order_acquire))
      elapsed.fetch_add(pending.exchange(0, std::memory_order_acq_rel), std::memory_order_acq_rel);
   if (ticks_wake.load(std::memory_order_acquire))
      Wake();
}

}

bool StartTimer()
{
   if (!timer_running.load() && install_int(OnTick, 1) == 0)
      timer_running = true;
   return timer_running;
}

void StopTimer()
{
   if (timer_running.exchange(false))
      remove_int(OnTick);
}

bool TimerRunning()
{
   return timer_running;
}

uint64_t TickCount()
{
   return ticks.load(std::memory_order_relaxed);
}

int BeginDelayUpdate()
{
   busy.store(true, std::memory_order_release);
   return elapsed.exchange(0, std::memory_order_acq_rel);
}

void EndDelayUpdate()
{
   busy.store(false, std::memory_order_release);
   // Ticks that arrived while busy count from the next update on.
   elapsed.fetch_add(pending.exchange(0, std::memory_order_acq_rel), std::memory_order_acq_rel);
}

void Mark(int source)
{
   marks.fetch_or(1u << source, std::memory_order_release);
   Wake();
}

uint32_t TakeMarks()
{
   return marks.exchange(0, std::memory_order_acq_rel);
}

uint32_t WakeToken()
{
   return wake_sequence.load(std::memory_order_acquire);
}

void WaitForWake(uint32_t token, bool with_ticks)
{
   ticks_wake.store(with_ticks, std::memory_order_release);
   wake_sequence.wait(token, std::memory_order_acquire);
   ticks_wake.store(true, std::memory_order_release);
}

}
