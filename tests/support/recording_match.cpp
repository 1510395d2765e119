#include "recording_match.h"

#include <algorithm>
#include <cmath>

namespace kstr::test {

namespace {

// Correlation of `frames` frames of a at frame a_at with b at frame b_at;
// 1 when both are silent, 0 when only one is.
double correlation(const std::vector<int16_t> &a, std::size_t a_at, const std::vector<int16_t> &b, std::size_t b_at,
                   std::size_t frames)
{
   double ab = 0, aa = 0, bb = 0;
   for (std::size_t i = 0; i < frames * 2; ++i) {
      const double x = a[a_at * 2 + i];
      const double y = b[b_at * 2 + i];
      ab += x * y;
      aa += x * x;
      bb += y * y;
   }
   if (aa == 0 && bb == 0)
      return 1.0;
   if (aa == 0 || bb == 0)
      return 0.0;
   return ab / std::sqrt(aa * bb);
}

}

Alignment align(const std::vector<int16_t> &recording, const std::vector<int16_t> &reference, std::size_t from,
                std::size_t to, std::size_t window_frames)
{
   Alignment best;
   const std::size_t window = std::min(window_frames, reference.size() / 2);
   const std::size_t recorded = recording.size() / 2;
   for (std::size_t offset = from; offset <= to && offset + window <= recorded; ++offset) {
      const double c = correlation(recording, offset, reference, 0, window);
      if (c > best.correlation)
         best = {offset, c};
   }
   return best;
}

std::vector<double> block_correlations(const std::vector<int16_t> &recording, std::size_t offset,
                                       const std::vector<int16_t> &reference, std::size_t frames,
                                       std::size_t block_frames)
{
   std::vector<double> result;
   const std::size_t usable =
      std::min({frames, reference.size() / 2, recording.size() / 2 - std::min(offset, recording.size() / 2)});
   for (std::size_t at = 0; at + block_frames <= usable; at += block_frames)
      result.push_back(correlation(recording, offset + at, reference, at, block_frames));
   return result;
}

Worst worst_of(const std::vector<double> &values)
{
   Worst worst;
   for (std::size_t i = 0; i < values.size(); ++i)
      if (values[i] < worst.value)
         worst = {i, values[i]};
   return worst;
}

}
