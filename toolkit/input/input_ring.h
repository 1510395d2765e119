// A fixed ring of packed input samples between Allegro's input thread (or a
// test injecting input) and the loop.
//
// Contract: Push from any thread (producers take a short spin lock so a test
// and Allegro's thread may both push); Pop from the loop thread only. Push
// answers false when the ring is full and stores nothing.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

template <std::size_t N>
class InputRing {
   static_assert((N & (N - 1)) == 0, "N must be a power of two");

 public:
   bool Push(uint64_t sample)
   {
      while (producer_lock_.test_and_set(std::memory_order_acquire)) {
      }
      const uint32_t tail = tail_.load(std::memory_order_relaxed);
      const bool room = tail - head_.load(std::memory_order_acquire) < N;
      if (room) {
         slots_[tail % N].store(sample, std::memory_order_relaxed);
         tail_.store(tail + 1, std::memory_order_release);
      }
      producer_lock_.clear(std::memory_order_release);
      return room;
   }

   std::optional<uint64_t> Pop()
   {
      const uint32_t head = head_.load(std::memory_order_relaxed);
      if (head == tail_.load(std::memory_order_acquire))
         return std::nullopt;
      const uint64_t sample = slots_[head % N].load(std::memory_order_relaxed);
      head_.store(head + 1, std::memory_order_release);
      return sample;
   }

 private:
   std::array<std::atomic<uint64_t>, N> slots_{};
   std::atomic<uint32_t> head_{0};
   std::atomic<uint32_t> tail_{0};
   std::atomic_flag producer_lock_;
};
