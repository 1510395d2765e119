#include "input/event_pool.h"

#include "core/alloc.h"

#include <bit>
#include <cstdlib>
#include <new>

void EventPool::Fill()
{
   if (Capacity() < EVENT_POOL_SIZE)
      TopUp();
}

void EventPool::TopUp()
{
   const int free_now = Capacity() - used_;
   for (int added = 0; added < EVENT_POOL_SIZE - free_now; added += EVENTS_PER_BLOCK) {
      auto *block = new (GuardedCalloc(sizeof(EventBlock))) EventBlock{};
      block->link = first_;
      first_ = block;
      ++blocks_;
   }
}

EventRecord *EventPool::Take()
{
   if (used_ == Capacity())
      TopUp();
   for (EventBlock *block = first_; block; block = block->link) {
      if (block->occupancy == ~0u)
         continue;
      const int slot = std::countr_one(block->occupancy);
      const uint32_t bit = 1u << slot;
      block->occupancy |= bit;
      ++used_;
      EventRecord &event = block->slots[slot];
      event = EventRecord{};
      event.free_mask = ~bit;
      event.block = &block->occupancy;
      return &event;
   }
   OutOfMemory();  // unreachable: TopUp added free slots or stopped the program
}

void EventPool::Give(EventRecord *event)
{
   *event->block &= event->free_mask;
   --used_;
}

void EventPool::Clear()
{
   while (first_) {
      EventBlock *next = first_->link;
      std::free(first_);
      first_ = next;
   }
   blocks_ = 0;
   used_ = 0;
}
