// Test files made by make_mp3_files.sh, and a frame walk of their own that
// the tests hold the player's figures against: it knows the header layout
// from the standard, not from the code under test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kstr::test::mp3 {

using Bytes = std::vector<uint8_t>;

inline std::string path(const std::string &name)
{
   const char *dir = std::getenv("KSTR_TEST_DATA");
   return std::string(dir ? dir : "testdata") + "/mp3/" + name;
}

inline Bytes load(const std::string &name)
{
   std::ifstream in(path(name), std::ios::binary);
   Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
   EXPECT_FALSE(bytes.empty()) << "missing test file " << path(name);
   return bytes;
}

// The mpg123 program's raw decode of a test file, as signed samples.
inline std::vector<int16_t> load_reference(const std::string &name)
{
   const Bytes raw = load(name.substr(0, name.rfind('.')) + ".raw");
   std::vector<int16_t> samples(raw.size() / 2);
   for (size_t i = 0; i < samples.size(); ++i)
      samples[i] = static_cast<int16_t>(raw[2 * i] | raw[2 * i + 1] << 8);
   return samples;
}

struct Frame {
   int offset;
   int size; // header included
   int channels;
   int samples; // per channel
   int rate;
};

// Frame length in bytes of the header at `p`, or 0 when it is none of the
// MPEG-1/2/2.5 Layer II/III headers the player takes.
inline Frame parse_frame(const uint8_t *p, int offset)
{
   static const int kbps[2][2][16] = {
      // MPEG-1: Layer II, Layer III
      {{0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
       {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
      // MPEG-2 and 2.5: both layers
      {{0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
       {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
   };
   static const int rates[4][3] = {{11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};
   Frame frame{offset, 0, 0, 0, 0};
   if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
      return frame;
   const int version = (p[1] >> 3) & 3, layer_bits = (p[1] >> 1) & 3;
   const int bitrate_index = p[2] >> 4, rate_index = (p[2] >> 2) & 3, padding = (p[2] >> 1) & 1;
   if (version == 1 || (layer_bits != 1 && layer_bits != 2) || rate_index == 3 || bitrate_index == 0
       || bitrate_index == 15)
      return frame;
   const bool mpeg1 = version == 3, layer3 = layer_bits == 1;
   const int rate = rates[version][rate_index];
   const int bitrate = kbps[mpeg1 ? 0 : 1][layer3 ? 1 : 0][bitrate_index] * 1000;
   const int slots = layer3 && !mpeg1 ? 72 : 144;
   frame.size = slots * bitrate / rate + padding;
   frame.channels = (p[3] >> 6) == 3 ? 1 : 2;
   frame.samples = layer3 && !mpeg1 ? 576 : 1152;
   frame.rate = rate;
   return frame;
}

// Walks frame after frame from `start` while headers follow each other.
inline std::vector<Frame> walk_frames(const Bytes &file, int start = 0, int end = -1)
{
   if (end < 0)
      end = static_cast<int>(file.size());
   std::vector<Frame> frames;
   int pos = start;
   while (pos + 4 <= end) {
      const Frame frame = parse_frame(file.data() + pos, pos);
      if (frame.size == 0 || pos + frame.size > end)
         break;
      frames.push_back(frame);
      pos += frame.size;
   }
   return frames;
}

inline int pcm_bytes(const Frame &frame) { return frame.samples * frame.channels * 2; }

}
