#include "input/event_signals.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <ctime>

namespace event_signals {

namespace {

std::atomic<uint32_t> marks{0};
// Bumped by every mark; the loop sleeps on it with a futex, which the atomic
// holds as a plain 32-bit word.
std::atomic<uint32_t> wake_sequence{0};
static_assert(sizeof(wake_sequence) == sizeof(uint32_t) && std::atomic<uint32_t>::is_always_lock_free);

const int64_t kProgramStartNs = NowNs();

uint32_t *FutexWord()
{
   return reinterpret_cast<uint32_t *>(&wake_sequence);
}

}

int64_t NowNs()
{
   timespec ts{};
   clock_gettime(CLOCK_MONOTONIC, &ts);
   return int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

uint64_t TickCount()
{
   return static_cast<uint64_t>((NowNs() - kProgramStartNs) / NS_PER_MS);
}

void Mark(int source)
{
   marks.fetch_or(1u << source, std::memory_order_release);
   wake_sequence.fetch_add(1, std::memory_order_release);
   syscall(SYS_futex, FutexWord(), FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
}

uint32_t TakeMarks()
{
   return marks.exchange(0, std::memory_order_acq_rel);
}

uint32_t WakeToken()
{
   return wake_sequence.load(std::memory_order_acquire);
}

void WaitForWake(uint32_t token, int64_t deadline_ns)
{
   timespec until{};
   timespec *timeout = nullptr;
   if (deadline_ns != NO_DEADLINE) {
      until.tv_sec = static_cast<time_t>(deadline_ns / 1'000'000'000);
      until.tv_nsec = static_cast<long>(deadline_ns % 1'000'000'000);
      timeout = &until;
   }
   // An absolute deadline on CLOCK_MONOTONIC; returns at once if a mark
   // changed the word since `token` was taken.
   syscall(SYS_futex, FutexWord(), FUTEX_WAIT_BITSET_PRIVATE, token, timeout, nullptr, FUTEX_BITSET_MATCH_ANY);
}

}
