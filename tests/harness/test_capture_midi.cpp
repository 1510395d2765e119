#include "capture_sound.h"
#include "digmid_patches.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

using kstr::test::capture_pull;

long energy(const std::vector<int16_t> &frames, int channel)
{
   long sum = 0;
   for (std::size_t i = static_cast<std::size_t>(channel); i < frames.size(); i += 2)
      sum += std::abs(frames[i]);
   return sum;
}

void send(std::vector<unsigned char> bytes)
{
   midi_out(bytes.data(), static_cast<int>(bytes.size()));
}

// Middle C on the piano, centred, for a tenth of a second, then its release.
// Starts on a block boundary: a pull's surplus was mixed before the note.
std::vector<int16_t> play_note()
{
   capture_pull(kstr::test::capture_surplus_frames());
   send({0xC0, 0});
   send({0xB0, 10, 64});
   send({0x90, 60, 100});
   std::vector<int16_t> all = capture_pull(4410);
   send({0x80, 60, 0});
   const std::vector<int16_t> release = capture_pull(3 * 44100);
   all.insert(all.end(), release.begin(), release.end());
   return all;
}

TEST(CaptureMidi, PatchIndexListsPatchesThatExist)
{
   const std::string index = kstr::test::digmid_patch_index();
   ASSERT_FALSE(index.empty());
   const auto dir = std::filesystem::path(index).parent_path();
   EXPECT_TRUE(std::filesystem::exists(dir / "Tone_000" / "000_Acoustic_Grand_Piano.pat"));
   EXPECT_TRUE(std::filesystem::exists(dir / "Drum_000" / "038_Snare_1.pat"));
}

TEST(CaptureMidi, ChannelsStartHardLeftUntilPanned)
{
   ASSERT_TRUE(kstr::test::install_capture_sound_with_midi());
   send({0x91, 60, 100});
   const std::vector<int16_t> unpanned = capture_pull(4410);
   send({0x81, 60, 0});
   EXPECT_GT(energy(unpanned, 0), 0);
   EXPECT_EQ(energy(unpanned, 1), 0);
}

TEST(CaptureMidi, NoteSentWithMidiOutIsCapturedAtOnceAndDiesAway)
{
   ASSERT_TRUE(kstr::test::install_capture_sound_with_midi());
   ASSERT_NE(midi_driver, nullptr);
   EXPECT_EQ(midi_driver->id, MIDI_DIGMID);
   EXPECT_EQ(energy(capture_pull(4410), 0), 0) << "silent before the note";

   const std::vector<int16_t> note = play_note();
   const std::vector<int16_t> first_block(note.begin(), note.begin() + 2 * kstr::test::kCaptureBlockFrames);
   EXPECT_GT(energy(first_block, 0), 0);
   EXPECT_GT(energy(first_block, 1), 0);
   const std::vector<int16_t> tail(note.end() - 2 * 4410, note.end());
   EXPECT_EQ(energy(tail, 0) + energy(tail, 1), 0) << "the note has ended three seconds after its release";
}

TEST(CaptureMidi, SameNotesGiveTheSameCapture)
{
   ASSERT_TRUE(kstr::test::install_capture_sound_with_midi());
   const std::vector<int16_t> first = play_note();
   const std::vector<int16_t> second = play_note();
   EXPECT_GT(energy(first, 0), 0);
   EXPECT_TRUE(first == second);
}

}
