#include "streams/mpeg_header.h"

#include <array>
#include <cstring>

namespace {

constexpr uint32_t kSyncMask = 0xFFE00000;
constexpr uint32_t kVersionMask = 0x00180000;
constexpr uint32_t kVersionReserved = 0x00080000;
constexpr uint32_t kLayerMask = 0x00060000;
constexpr uint32_t kLayer3 = 0x00020000;
constexpr uint32_t kLayer2 = 0x00040000;
constexpr uint32_t kBitrateMask = 0x0000F000;
constexpr uint32_t kRateMask = 0x00000C00;

constexpr int kId3v1Size = 128;
constexpr int kId3v2HeaderSize = 10;
constexpr int kId3v2FooterFlag = 0x10;

// Rows: MPEG-1 Layer II, MPEG-1 Layer III, MPEG-2/2.5 Layer II and III.
constexpr std::array<std::array<int, 16>, 3> kBitrateTable{{
   {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
   {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
   {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
}};

int32_t read_be32(const uint8_t *p)
{
   return static_cast<int32_t>(uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]});
}

// Where the side information of the first frame ends: header plus 32 or 17
// bytes (MPEG-1 stereo or mono), 17 or 9 (MPEG-2/2.5 stereo or mono).
int xing_marker_offset(int lsf, int mode)
{
   const bool mono = mode == 3;
   if (!lsf)
      return mono ? 21 : 36;
   return mono ? 13 : 21;
}

}

int mp3_header_valid(uint32_t h)
{
   const uint32_t layer = h & kLayerMask;
   const uint32_t bitrate = h & kBitrateMask;
   const bool valid = (h & kSyncMask) == kSyncMask && (h & kVersionMask) != kVersionReserved &&
                      (layer == kLayer3 || layer == kLayer2) && bitrate != 0 && bitrate != kBitrateMask &&
                      (h & kRateMask) != kRateMask;
   return valid ? -1 : 0;
}

bool mp3_read_word(const uint8_t *block, int len, int pos, uint32_t &word)
{
   if (pos < 0 || len < 4 || pos > len - 4)
      return false;
   word = static_cast<uint32_t>(read_be32(block + pos));
   return true;
}

bool mp3_header_valid_at(const uint8_t *block, int len, int pos)
{
   uint32_t word = 0;
   return mp3_read_word(block, len, pos, word) && mp3_header_valid(word);
}

int mp3_id3v1_length(const uint8_t *block, int len)
{
   if (len < kId3v1Size)
      return 0;
   return std::memcmp(block + len - kId3v1Size, "TAG", 3) == 0 ? kId3v1Size : 0;
}

int mp3_id3v2_length(const uint8_t *block, int len)
{
   if (len < kId3v2HeaderSize || std::memcmp(block, "ID3", 3) != 0)
      return 0;
   // The size bytes are taken whole, top bits included: at most about 2^29.
   const int size = block[6] * (1 << 21) + block[7] * (1 << 14) + block[8] * (1 << 7) + block[9];
   const bool footer = (block[5] & kId3v2FooterFlag) != 0;
   return size + (footer ? 2 * kId3v2HeaderSize : kId3v2HeaderSize);
}

int mp3_bitrate_kbps(int lsf, int layer, int bitrate_index)
{
   if (bitrate_index < 0 || bitrate_index > 15 || (layer != 2 && layer != 3))
      return 0;
   const int row = lsf ? 2 : layer - 2;
   return kBitrateTable[row][bitrate_index];
}

std::unique_ptr<XING_INFO> mp3_read_xing(const uint8_t *frame, int avail, int lsf, int mode)
{
   int pos = xing_marker_offset(lsf, mode);
   if (avail < pos + 8 || std::memcmp(frame + pos, "Xing", 4) != 0)
      return nullptr;
   auto xing = std::make_unique<XING_INFO>();
   xing->flags = read_be32(frame + pos + 4);
   pos += 8;

   // A record cut short by the end of the data is no record.
   const int32_t flags = xing->flags;
   const int field_bytes = (flags & XING_FRAMES_FLAG ? 4 : 0) + (flags & XING_BYTES_FLAG ? 4 : 0) +
                           (flags & XING_TOC_FLAG ? static_cast<int>(sizeof xing->toc) : 0) +
                           (flags & XING_SCALE_FLAG ? 4 : 0);
   if (avail - pos < field_bytes)
      return nullptr;

   xing->frames = 0;
   xing->bytes = 0;
   xing->vbr_scale = -1;
   std::memset(xing->toc, 0, sizeof xing->toc);
   if (flags & XING_FRAMES_FLAG) {
      xing->frames = read_be32(frame + pos);
      pos += 4;
   }
   if (flags & XING_BYTES_FLAG) {
      xing->bytes = read_be32(frame + pos);
      pos += 4;
   }
   if (flags & XING_TOC_FLAG) {
      std::memcpy(xing->toc, frame + pos, sizeof xing->toc);
      pos += sizeof xing->toc;
   }
   if (flags & XING_SCALE_FLAG)
      xing->vbr_scale = read_be32(frame + pos);
   return xing;
}

int mp3_frame_to_offset(const XING_INFO *xing, int data_len, int f)
{
   constexpr int32_t needed = XING_FRAMES_FLAG | XING_TOC_FLAG;
   if (!xing || (xing->flags & needed) != needed || f < 0 || f >= xing->frames)
      return -1;
   const int64_t frames = xing->frames;

   // Frame number at each hundredth of the data; toc × frames can pass 2^31.
   std::array<int32_t, 100> t{};
   for (int i = 0; i < 100; ++i)
      t[i] = static_cast<int32_t>(xing->toc[i] * frames / 256);

   int i = 0;
   while (i <= 99 && f > t[i])
      ++i;
   if (i == 100)
      return data_len;

   const int64_t len = data_len;
   const int64_t lo = len * i / 100;
   const int64_t hi = i <= 98 ? len * (i + 1) / 100 : len - 1;
   const int64_t tn = i <= 98 ? t[i + 1] : frames - 1;
   if (tn == t[i])
      return -1;
   const int64_t offset = lo + (f - t[i]) * (hi - lo) / (tn - t[i]);
   if (offset < 0 || offset > len)
      return -1;
   return static_cast<int>(offset);
}
