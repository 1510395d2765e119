#include "player/stream_buffer.h"

#include <algorithm>

int stream_buffer_bytes(int kib, int min_bytes)
{
   const int bytes = std::clamp(kib, 0, STREAM_MAX_BUFFER_KIB) * 1024;
   return std::max(bytes, min_bytes);
}

int stream_poll_interval_ms(int frames, int freq)
{
   if (frames <= 0 || freq <= 0)
      return 1;
   const long long ms = static_cast<long long>(frames) * 1000 / freq / 4;
   return static_cast<int>(std::clamp(ms, 1LL, 1000LL));
}
