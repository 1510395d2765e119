#include "e2e_media.h"

#include "temp_dir.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kstr::test {

Picture read_bmp(const std::string &file)
{
   Picture p;
   const std::string bmp = read_file(file);
   if (bmp.size() < 54)
      return p;
   int32_t w, h, off;
   uint16_t bpp;
   std::memcpy(&off, bmp.data() + 10, 4);
   std::memcpy(&w, bmp.data() + 18, 4);
   std::memcpy(&h, bmp.data() + 22, 4);
   std::memcpy(&bpp, bmp.data() + 28, 2);
   const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
   if (bpp != 24 || w <= 0 || h <= 0 || bmp.size() < off + stride * static_cast<std::size_t>(h))
      return p;
   p.w = w;
   p.h = h;
   p.rgb.resize(static_cast<std::size_t>(w) * h * 3);
   for (int y = 0; y < h; ++y) {
      const auto *row = reinterpret_cast<const uint8_t *>(bmp.data()) + off + (h - 1 - y) * stride;
      for (int x = 0; x < w; ++x)
         for (int c = 0; c < 3; ++c)
            p.rgb[(static_cast<std::size_t>(y) * w + x) * 3 + c] = row[x * 3 + 2 - c];
   }
   return p;
}

namespace {

bool matches_at(const Picture &p, const Picture &icon, int px, int py)
{
   for (int y = 0; y < icon.h; ++y)
      for (int x = 0; x < icon.w; ++x) {
         const uint8_t *i = &icon.rgb[(static_cast<std::size_t>(y) * icon.w + x) * 3];
         if (i[0] == 255 && i[1] == 0 && i[2] == 255)
            continue;
         const uint8_t *s = &p.rgb[(static_cast<std::size_t>(py + y) * p.w + px + x) * 3];
         for (int c = 0; c < 3; ++c)
            if (std::abs(int{i[c]} - int{s[c]}) > 8)
               return false;
      }
   return true;
}

}

Point find_icon(const Picture &picture, const std::string &icon_file)
{
   const Picture icon = read_bmp(icon_file);
   if (icon.w == 0)
      return {};
   for (int y = 0; y + icon.h <= picture.h; ++y)
      for (int x = 0; x + icon.w <= picture.w; ++x)
         if (matches_at(picture, icon, x, y))
            return Point{x + icon.w / 2, y + icon.h / 2};
   return {};
}

long differing_pixels(const Picture &a, const Picture &b, int y1, int y2)
{
   if (a.rgb.size() != b.rgb.size())
      return -1;
   long n = 0;
   for (int y = std::max(0, y1); y <= std::min(y2, a.h - 1); ++y)
      for (std::size_t i = static_cast<std::size_t>(y) * a.w * 3, e = i + static_cast<std::size_t>(a.w) * 3; i < e;
           i += 3)
         n += std::memcmp(&a.rgb[i], &b.rgb[i], 3) != 0;
   return n;
}

std::vector<float> read_reference(const std::string &raw_file)
{
   const std::string raw = read_file(raw_file);
   std::vector<float> mono(raw.size() / 4);
   for (std::size_t i = 0; i < mono.size(); ++i) {
      int16_t l, r;
      std::memcpy(&l, raw.data() + i * 4, 2);
      std::memcpy(&r, raw.data() + i * 4 + 2, 2);
      mono[i] = (static_cast<float>(l) + static_cast<float>(r)) / 2.0f;
   }
   return mono;
}

double rms(const std::vector<float> &sound, long at, long length)
{
   double sum = 0;
   for (long i = at; i < at + length; ++i)
      sum += double{sound[static_cast<std::size_t>(i)]} * sound[static_cast<std::size_t>(i)];
   return std::sqrt(sum / static_cast<double>(length));
}

std::vector<Span> sound_spans(const std::vector<float> &sound, float level, int min_ms)
{
   constexpr long kWindow = RATE / 100;
   const long windows = static_cast<long>(sound.size()) / kWindow;
   std::vector<Span> spans;
   for (long i = 0, j; i < windows; i = j + 1) {
      for (j = i; j < windows && rms(sound, j * kWindow, kWindow) > level;)
         ++j;
      if (j > i && (j - i) * 10 >= min_ms)
         spans.push_back(Span{i * kWindow, j * kWindow});
   }
   return spans;
}

namespace {

// Normalised correlation of `length` samples of `sound` from `at` with the
// reference from `ref_at`.
double correlation(const std::vector<float> &sound, long at, const std::vector<float> &reference, long ref_at,
                   long length)
{
   if (at < 0 || ref_at < 0 || at + length > static_cast<long>(sound.size()) ||
       ref_at + length > static_cast<long>(reference.size()))
      return 0;
   double sr = 0, ss = 0, rr = 0;
   for (long i = 0; i < length; ++i) {
      const double s = sound[static_cast<std::size_t>(at + i)], r = reference[static_cast<std::size_t>(ref_at + i)];
      sr += s * r;
      ss += s * s;
      rr += r * r;
   }
   return ss > 0 && rr > 0 ? sr / std::sqrt(ss * rr) : 0;
}

}

Match locate(const std::vector<float> &sound, long at, long length, const std::vector<float> &reference, long near,
             long radius)
{
   Match best;
   long first = 0, last = static_cast<long>(reference.size()) - length;
   if (radius >= 0) {
      first = std::max(first, near - radius);
      last = std::min(last, near + radius);
   }
   // A coarse pass every 8 samples, then the neighbourhood of the best one.
   for (long p = first; p <= last; p += 8) {
      const double c = correlation(sound, at, reference, p, length);
      if (c > best.correlation)
         best = Match{p, c};
   }
   const long centre = best.position;
   for (long p = std::max(first, centre - 8); p <= std::min(last, centre + 8); ++p) {
      const double c = correlation(sound, at, reference, p, length);
      if (c > best.correlation)
         best = Match{p, c};
   }
   return best;
}

Follow follow(const std::vector<float> &recording, long begin, long end, const std::vector<float> &reference)
{
   constexpr long kProbe = RATE / 5;
   Follow f;
   f.start = locate(recording, begin + kProbe, kProbe, reference);
   const long offset = f.start.position - (begin + kProbe);
   for (long at = begin + kProbe; at + 2 * kProbe < end; at += kProbe, ++f.stretches) {
      const Match m = locate(recording, at, kProbe, reference, at + offset, RATE / 20);
      f.worst = std::min(f.worst, m.correlation);
      f.drift = std::max(f.drift, std::abs(m.position - (at + offset)));
   }
   return f;
}

double tone_frequency(const std::vector<float> &sound, long at, long length)
{
   double first = -1, last = -1;
   int crossings = 0;
   for (long i = at; i + 1 < at + length && i + 1 < static_cast<long>(sound.size()); ++i) {
      const float a = sound[static_cast<std::size_t>(i)], b = sound[static_cast<std::size_t>(i + 1)];
      if (a <= 0 && b > 0) {
         const double x = static_cast<double>(i) + a / (a - b);
         if (first < 0)
            first = x;
         last = x;
         ++crossings;
      }
   }
   return crossings > 2 && last > first ? (crossings - 1) / ((last - first) / RATE) : 0;
}

}
