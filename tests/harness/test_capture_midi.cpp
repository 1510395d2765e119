#include "capture_sound.h"
#include "digmid_patches.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

using kstr::test::capture_pull;

long energy(const std::vector<int16_t> &frames, int channel, size_t from = 0, size_t to = SIZE_MAX / 2)
{
   long sum = 0;
   for (size_t i = 2 * from + static_cast<size_t>(channel); i < std::min(frames.size(), 2 * to); i += 2)
      sum += std::abs(frames[i]);
   return sum;
}

void send(std::vector<unsigned char> bytes)
{
   midi_out(bytes.data(), static_cast<int>(bytes.size()));
}

// Middle C on the piano, centred, for a tenth of a second, then three seconds
// after its release: heard from the first block, silent at the end, and the
// same every time.
TEST(CaptureMidi, NoteIsCapturedAtOnceDiesAwayAndRepeatsExactly)
{
   const auto patches = std::filesystem::path(kstr::test::digmid_patch_index()).parent_path();
   EXPECT_TRUE(std::filesystem::exists(patches / "Tone_000" / "000_Acoustic_Grand_Piano.pat"));
   EXPECT_TRUE(std::filesystem::exists(patches / "Drum_000" / "038_Snare_1.pat"));
   ASSERT_TRUE(kstr::test::install_capture_sound_with_midi());
   ASSERT_TRUE(midi_driver && midi_driver->id == MIDI_DIGMID);
   EXPECT_EQ(energy(capture_pull(4410), 0), 0) << "silent before the note";
   std::vector<int16_t> notes[2];
   for (auto &note : notes) {
      capture_pull(kstr::test::capture_surplus_frames());   // start on a block boundary
      send({0xC0, 0});
      send({0xB0, 10, 64});
      send({0x90, 60, 100});
      note = capture_pull(4410);
      send({0x80, 60, 0});
      const std::vector<int16_t> release = capture_pull(3 * 44100);
      note.insert(note.end(), release.begin(), release.end());
   }
   EXPECT_GT(energy(notes[0], 0, 0, kstr::test::kCaptureBlockFrames), 0);
   EXPECT_GT(energy(notes[0], 1, 0, kstr::test::kCaptureBlockFrames), 0);
   const size_t end = notes[0].size() / 2;
   EXPECT_EQ(energy(notes[0], 0, end - 4410) + energy(notes[0], 1, end - 4410), 0);
   EXPECT_TRUE(notes[0] == notes[1]);
}

}
