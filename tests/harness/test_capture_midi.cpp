#include "capture_sound.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using kstr::test::capture_pull;

// Sum of absolute values on one channel (0 left, 1 right) over frames [from, to).
long energy(const std::vector<int16_t> &frames, size_t channel, size_t from, size_t to)
{
   long sum = 0;
   for (size_t i = 2 * from + channel; i < std::min(frames.size(), 2 * to); i += 2)
      sum += std::abs(frames[i]);
   return sum;
}

// Middle C on the piano, centred, for a tenth of a second, then three seconds
// after its release: heard on both channels from the first block, silent at
// the end, and the same every time.
TEST(CaptureMidi, NoteIsCapturedAtOnceDiesAwayAndRepeatsExactly)
{
   ASSERT_TRUE(kstr::test::install_capture_sound_with_midi());
   EXPECT_EQ(energy(capture_pull(4410), 0, 0, 4410), 0) << "silent before the note";
   std::vector<int16_t> notes[2];
   for (auto &note : notes) {
      capture_pull(kstr::test::capture_surplus_frames());  // start on a block boundary
      for (std::vector<unsigned char> event : {std::vector<unsigned char>{0xC0, 0}, {0xB0, 10, 64}, {0x90, 60, 100}})
         midi_out(event.data(), static_cast<int>(event.size()));
      note = capture_pull(4410);
      unsigned char off[] = {0x80, 60, 0};
      midi_out(off, 3);
      const std::vector<int16_t> release = capture_pull(3 * 44100);
      note.insert(note.end(), release.begin(), release.end());
   }
   const size_t block = kstr::test::kCaptureBlockFrames, end = notes[0].size() / 2;
   EXPECT_GT(energy(notes[0], 0, 0, block), 0);
   EXPECT_GT(energy(notes[0], 1, 0, block), 0);
   EXPECT_EQ(energy(notes[0], 0, end - 4410, end) + energy(notes[0], 1, end - 4410, end), 0);
   EXPECT_TRUE(notes[0] == notes[1]);
}

}
