// Event records, handed out from blocks of 32 slots found by a bit mask.
//
// Contract: loop thread only. Take never fails: a full pool grows by whole
// blocks (out of memory is the toolkit's fatal stop). A taken record is zeroed
// except for its slot bookkeeping (`free_mask`, `block`). Clear frees every
// block, so no record may be used after it.
#pragma once

#include <cstdint>

struct Control;

struct EventRecord {
   void (*fn)(void *);
   void *data;
   int32_t delay;                  // ms still to wait
   uint32_t tag;                   // EVENT_TAG_PUBLIC marks QueueCall's events
   int32_t control;                // id of the control it names, 0 if none
   uint32_t free_mask;             // complement of the slot's bit
   int32_t posted_from_interrupt;  // made from an input callback's mark
   uint32_t *block;                // the owning block's occupancy word
   EventRecord *next;              // queue link
   Control *pin;                   // the named control, pinned while the event lives
};

inline constexpr uint32_t EVENT_TAG_PUBLIC = 0x80000000u;
inline constexpr int EVENTS_PER_BLOCK = 32;
inline constexpr int EVENT_POOL_SIZE = 1024;

struct EventBlock {
   uint32_t occupancy;  // bit i set = slot i in use
   EventRecord slots[EVENTS_PER_BLOCK];
   EventBlock *link;
};

class EventPool {
 public:
   EventPool() = default;
   EventPool(const EventPool &) = delete;
   EventPool &operator=(const EventPool &) = delete;
   ~EventPool() { Clear(); }

   // Sizes the pool for EVENT_POOL_SIZE events.
   void Fill();
   EventRecord *Take();
   void Give(EventRecord *event);
   void Clear();

   int Capacity() const { return blocks_ * EVENTS_PER_BLOCK; }
   int InUse() const { return used_; }

 private:
   // Adds blocks until EVENT_POOL_SIZE slots are free beyond the free ones.
   void TopUp();

   EventBlock *first_ = nullptr;
   int blocks_ = 0;
   int used_ = 0;
};
