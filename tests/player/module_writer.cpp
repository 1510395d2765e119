#include "module_writer.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <utility>

namespace kstr::test {

namespace {

class ByteWriter {
 public:
   void u8(int v) { bytes_.push_back(static_cast<uint8_t>(v)); }
   void le16(int v) { u8(v), u8(v >> 8); }
   void be16(int v) { u8(v >> 8), u8(v); }
   void le32(uint32_t v) { le16(static_cast<int>(v & 0xFFFF)), le16(static_cast<int>(v >> 16)); }
   void zeros(size_t n) { bytes_.insert(bytes_.end(), n, 0); }
   // Text padded with zeros (or cut) to exactly n bytes.
   void text(std::string_view s, size_t n)
   {
      for (size_t i = 0; i < n; ++i)
         u8(i < s.size() ? s[i] : 0);
   }
   void align(size_t n) { zeros((n - bytes_.size() % n) % n); }
   size_t size() const { return bytes_.size(); }
   void patch_u8(size_t at, size_t v) { bytes_[at] = static_cast<uint8_t>(v); }
   void patch_le16(size_t at, size_t v)
   {
      bytes_[at] = static_cast<uint8_t>(v);
      bytes_[at + 1] = static_cast<uint8_t>(v >> 8);
   }
   void patch_le32(size_t at, size_t v)
   {
      patch_le16(at, v & 0xFFFF);
      patch_le16(at + 2, v >> 16);
   }
   std::vector<uint8_t> take() { return std::move(bytes_); }

 private:
   std::vector<uint8_t> bytes_;
};

constexpr int kChannels = 4;
constexpr int kSampleFrames = 256;
constexpr int kMidC = 12;  // notes count semitones up from the lowest C a MOD plays

struct Note {
   int semitone = 0;
   int sample = 0;  // 1 or 2; 0 for an empty cell
};

// Channel 0 walks up a major scale on every other row with the square wave;
// channel 1 alternates a low C and G every four rows with the sine.
Note note_at(const ModuleSong &song, int pattern, int row, int channel)
{
   static constexpr int scale[] = {0, 2, 4, 5, 7, 9, 11, 12};
   if (channel == 0 && row % 2 == 0)
      return {kMidC + scale[((pattern * song.rows + row) / 2) % 8], 1};
   if (channel == 1 && row % 4 == 0)
      return {row % 8 ? 7 : 0, 2};
   return {};
}

int8_t square8(int i)
{
   return i % 32 < 16 ? 64 : -64;
}
int8_t sine8(int i)
{
   return static_cast<int8_t>(std::lround(100 * std::sin(2 * std::numbers::pi * i / 64)));
}
int16_t sine16(int i)
{
   return static_cast<int16_t>(std::lround(25000 * std::sin(2 * std::numbers::pi * i / 64)));
}

bool last_row_breaks(const ModuleSong &song, int row)
{
   return song.rows < 64 && row == song.rows - 1;
}

std::vector<uint8_t> write_mod(const ModuleSong &song)
{
   static constexpr int periods[36] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                                       428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                                       214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};
   ByteWriter w;
   w.text("test song", 20);
   for (int s = 0; s < 31; ++s) {
      const bool used = s < 2;
      w.text(s == 0 ? "square" : s == 1 ? "sine" : "", 22);
      w.be16(used ? kSampleFrames / 2 : 0);  // in words
      w.u8(0);                               // finetune
      w.u8(used ? 64 : 0);
      w.be16(0);
      w.be16(used ? kSampleFrames / 2 : 1);  // loop length; 1 is no loop
   }
   w.u8(song.patterns);
   w.u8(0);  // restart at the first order
   for (int i = 0; i < 128; ++i)
      w.u8(i < song.patterns ? i : 0);
   w.text("M.K.", 4);
   for (int p = 0; p < song.patterns; ++p)
      for (int row = 0; row < 64; ++row)
         for (int ch = 0; ch < kChannels; ++ch) {
            const Note n = row < song.rows ? note_at(song, p, row, ch) : Note{};
            int effect = 0, param = 0;
            if (p == 0 && row == 0 && ch == 2)
               effect = 0xF, param = song.speed;
            else if (p == 0 && row == 0 && ch == 3)
               effect = 0xF, param = song.tempo;
            else if (ch == 3 && last_row_breaks(song, row))
               effect = 0xD;
            const int period = n.sample ? periods[n.semitone] : 0;
            w.u8((n.sample & 0xF0) | period >> 8);
            w.u8(period & 0xFF);
            w.u8((n.sample & 0x0F) << 4 | effect);
            w.u8(param);
         }
   for (int i = 0; i < kSampleFrames; ++i)
      w.u8(square8(i));
   for (int i = 0; i < kSampleFrames; ++i)
      w.u8(sine8(i));
   return w.take();
}

// S3M and IT: the order list (255 past the patterns), then zeroed tables of
// `width`-byte pointers to the two samples and to every pattern, patched once
// their targets are written. Returns where the two tables start.
std::pair<size_t, size_t> put_order_list(ByteWriter &w, const ModuleSong &song, int orders, size_t width)
{
   for (int i = 0; i < orders; ++i)
      w.u8(i < song.patterns ? i : 255);
   const size_t samples = w.size();
   w.zeros(width * 2);
   const size_t patterns = w.size();
   w.zeros(width * static_cast<size_t>(song.patterns));
   return {samples, patterns};
}

std::vector<uint8_t> write_s3m(const ModuleSong &song)
{
   ByteWriter w;
   const int orders = (song.patterns + 2) / 2 * 2;  // with the end marker, even
   w.text("test song", 28);
   w.u8(0x1A);
   w.u8(16);  // module type: S3M
   w.le16(0);
   w.le16(orders);
   w.le16(2);
   w.le16(song.patterns);
   w.le16(0);       // flags
   w.le16(0x1320);  // made by version 3.20
   w.le16(2);       // unsigned samples
   w.text("SCRM", 4);
   w.u8(64);  // global volume
   w.u8(song.speed);
   w.u8(song.tempo);
   w.u8(0x80 | 48);  // stereo, master volume 48
   w.u8(0);
   w.u8(0);  // no panning table
   w.zeros(8);
   w.le16(0);
   static constexpr int channel_settings[kChannels] = {0, 8, 1, 9};  // left 1, right 1, left 2, right 2
   for (int ch = 0; ch < 32; ++ch)
      w.u8(ch < kChannels ? channel_settings[ch] : 255);
   const auto [instrument_pointers, pattern_pointers] = put_order_list(w, song, orders, 2);

   size_t memseg[2];
   for (int s = 0; s < 2; ++s) {
      w.align(16);
      w.patch_le16(instrument_pointers + 2 * static_cast<size_t>(s), w.size() / 16);
      w.u8(1);  // a sample
      w.text(s == 0 ? "square.raw" : "sine.raw", 12);
      memseg[s] = w.size();
      w.zeros(3);
      w.le32(kSampleFrames);
      w.le32(0);
      w.le32(kSampleFrames);
      w.u8(64);
      w.u8(0);
      w.u8(0);  // not packed
      w.u8(1);  // looped, mono, 8-bit
      w.le32(8363);
      w.zeros(12);
      w.text(s == 0 ? "square" : "sine", 28);
      w.text("SCRS", 4);
   }
   for (int p = 0; p < song.patterns; ++p) {
      w.align(16);
      w.patch_le16(pattern_pointers + 2 * static_cast<size_t>(p), w.size() / 16);
      const size_t start = w.size();
      w.le16(0);
      for (int row = 0; row < 64; ++row) {
         for (int ch = 0; ch < kChannels; ++ch) {
            const Note n = row < song.rows ? note_at(song, p, row, ch) : Note{};
            const bool pattern_break = ch == 3 && last_row_breaks(song, row);
            if (!n.sample && !pattern_break)
               continue;
            w.u8(ch | (n.sample ? 32 : 0) | (pattern_break ? 128 : 0));
            if (n.sample)
               w.u8((3 + n.semitone / 12) << 4 | n.semitone % 12), w.u8(n.sample);
            if (pattern_break)
               w.u8(3), w.u8(0);  // C00
         }
         w.u8(0);
      }
      w.patch_le16(start, w.size() - start);
   }
   for (int s = 0; s < 2; ++s) {
      w.align(16);
      const size_t paragraph = w.size() / 16;  // high byte first, then the low word
      w.patch_u8(memseg[s], paragraph >> 16);
      w.patch_le16(memseg[s] + 1, paragraph & 0xFFFF);
      for (int i = 0; i < kSampleFrames; ++i)
         w.u8((s == 0 ? square8(i) : sine8(i)) + 128);
   }
   return w.take();
}

// XM samples are stored as differences from the previous value.
void put_xm_sample(ByteWriter &w, int index)
{
   int previous = 0;
   for (int i = 0; i < kSampleFrames; ++i) {
      const int value = index == 0 ? square8(i) : sine16(i);
      if (index == 0)
         w.u8(value - previous);
      else
         w.le16(value - previous);
      previous = value;
   }
}

std::vector<uint8_t> write_xm(const ModuleSong &song)
{
   ByteWriter w;
   w.text("Extended Module: ", 17);
   w.text("test song", 20);
   w.u8(0x1A);
   w.text("kestrune tests", 20);
   w.le16(0x0104);
   w.le32(276);  // header size from this field on
   w.le16(song.patterns);
   w.le16(0);  // restart position
   w.le16(kChannels);
   w.le16(song.patterns);
   w.le16(2);  // instruments
   w.le16(1);  // linear frequencies
   w.le16(song.speed);
   w.le16(song.tempo);
   for (int i = 0; i < 256; ++i)
      w.u8(i < song.patterns ? i : 0);
   for (int p = 0; p < song.patterns; ++p) {
      w.le32(9);
      w.u8(0);
      w.le16(song.rows);
      const size_t size_at = w.size();
      w.le16(0);
      for (int row = 0; row < song.rows; ++row)
         for (int ch = 0; ch < kChannels; ++ch) {
            const Note n = note_at(song, p, row, ch);
            if (p == 0 && row == song.xm_stop_row && ch == 2) {
               w.u8(0x80 | 8 | 16);  // effect and parameter follow
               w.u8(0xF), w.u8(0);
               continue;
            }
            if (!n.sample) {
               w.u8(0x80);  // packed, nothing follows
               continue;
            }
            w.u8(0x80 | 1 | 2);     // note and instrument follow
            w.u8(37 + n.semitone);  // 49 is C-4
            w.u8(n.sample);
         }
      w.patch_le16(size_at, w.size() - size_at - 2);
   }
   for (int s = 0; s < 2; ++s) {
      const bool wide = s == 1;
      w.le32(263);  // instrument header size, this field included
      w.text(s == 0 ? "square" : "sine", 22);
      w.u8(0);
      w.le16(1);              // one sample
      w.le32(40);             // sample header size
      w.zeros(96 + 48 + 48);  // note-to-sample map, volume and panning envelopes
      w.zeros(2 + 6 + 2);     // envelope point counts, sustain and loop points, types
      w.zeros(4);             // vibrato
      w.le16(0);              // fadeout
      w.zeros(22);
      const uint32_t bytes = kSampleFrames * (wide ? 2u : 1u);
      w.le32(bytes);
      w.le32(0);
      w.le32(bytes);  // loop length
      w.u8(64);
      w.u8(0);                      // finetune
      w.u8(1 | (wide ? 0x10 : 0));  // forward loop, 16-bit
      w.u8(128);                    // panning
      w.u8(0);                      // relative note
      w.u8(0);
      w.text(s == 0 ? "square" : "sine", 22);
      put_xm_sample(w, s);
   }
   return w.take();
}

std::vector<uint8_t> write_it(const ModuleSong &song)
{
   ByteWriter w;
   const int orders = song.patterns + 1;
   w.text("IMPM", 4);
   w.text("test song", 26);
   w.u8(4), w.u8(16);  // row highlights
   w.le16(orders);
   w.le16(0);  // instruments: samples are played directly
   w.le16(2);
   w.le16(song.patterns);
   w.le16(0x0214);  // made with and compatible with 2.14
   w.le16(0x0214);
   w.le16(1 | 8);  // stereo, linear slides
   w.le16(0);
   w.u8(128);  // global volume
   w.u8(48);   // mixing volume
   w.u8(song.speed);
   w.u8(song.tempo);
   w.u8(128);  // panning separation
   w.u8(0);
   w.le16(0);  // no message
   w.le32(0);
   w.le32(0);
   for (int ch = 0; ch < 64; ++ch)
      w.u8(ch < kChannels ? 32 : 32 | 128);  // centred; the rest disabled
   for (int ch = 0; ch < 64; ++ch)
      w.u8(64);
   const auto [sample_offsets, pattern_offsets] = put_order_list(w, song, orders, 4);

   size_t data_pointer[2];
   for (int s = 0; s < 2; ++s) {
      const bool wide = s == 1;
      w.patch_le32(sample_offsets + 4 * static_cast<size_t>(s), w.size());
      w.text("IMPS", 4);
      w.text(s == 0 ? "square.raw" : "sine.raw", 12);
      w.u8(0);
      w.u8(64);                       // global volume
      w.u8(1 | 16 | (wide ? 2 : 0));  // present, looped, 16-bit
      w.u8(64);
      w.text(s == 0 ? "square" : "sine", 26);
      w.u8(1);   // signed samples
      w.u8(32);  // default panning, not used
      w.le32(kSampleFrames);
      w.le32(0);
      w.le32(kSampleFrames);
      w.le32(8363);
      w.le32(0);
      w.le32(0);
      data_pointer[s] = w.size();
      w.le32(0);
      w.zeros(4);  // vibrato
   }
   for (int p = 0; p < song.patterns; ++p) {
      w.patch_le32(pattern_offsets + 4 * static_cast<size_t>(p), w.size());
      const size_t size_at = w.size();
      w.le16(0);
      w.le16(song.rows);
      w.zeros(4);
      for (int row = 0; row < song.rows; ++row) {
         for (int ch = 0; ch < kChannels; ++ch) {
            const Note n = note_at(song, p, row, ch);
            if (!n.sample)
               continue;
            w.u8((ch + 1) | 0x80);  // a mask follows
            w.u8(1 | 2);            // note and sample
            w.u8(48 + n.semitone);  // 60 is C-5
            w.u8(n.sample);
         }
         w.u8(0);
      }
      w.patch_le16(size_at, w.size() - size_at - 8);
   }
   for (int s = 0; s < 2; ++s) {
      w.patch_le32(data_pointer[s], w.size());
      for (int i = 0; i < kSampleFrames; ++i)
         if (s == 0)
            w.u8(square8(i));
         else
            w.le16(sine16(i));
   }
   return w.take();
}

}

std::string module_extension(ModuleFormat format)
{
   switch (format) {
   case ModuleFormat::MOD: return "mod";
   case ModuleFormat::S3M: return "s3m";
   case ModuleFormat::XM: return "xm";
   case ModuleFormat::IT: return "it";
   }
   return "";
}

std::vector<uint8_t> write_module(ModuleFormat format, const ModuleSong &song)
{
   switch (format) {
   case ModuleFormat::MOD: return write_mod(song);
   case ModuleFormat::S3M: return write_s3m(song);
   case ModuleFormat::XM: return write_xm(song);
   case ModuleFormat::IT: return write_it(song);
   }
   return {};
}

double song_seconds(const ModuleSong &song)
{
   return song.patterns * song.rows * song.speed * 2.5 / song.tempo;
}

}
