// What the end-to-end scenarios read back: the program's screenshots (icons
// found in them, pixels that changed) and the recorded sound (runs of sound,
// pitch, and the match with a reference decode).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kstr::test {

struct Picture {
   std::vector<uint8_t> rgb;
   int w = 0, h = 0;
};

struct Point {
   int x = -1, y = -1;
   bool found() const { return x >= 0; }
};

// A 24-bit BMP file as top-down RGB; empty when it is not one.
Picture read_bmp(const std::string &file);

// The centre of the first place where the 24-bit icon file shows in the
// picture (magenta pixels are transparent; colours match within the error of
// a 16-bit screen), or not found.
Point find_icon(const Picture &picture, const std::string &icon_file);

// Number of pixels that differ between two pictures of one size, in the
// rows y1 to y2.
long differing_pixels(const Picture &a, const Picture &b, int y1 = 0, int y2 = 1 << 20);

inline constexpr int RATE = 44100;

// Mono sound from a raw file of signed 16-bit stereo at 44100 Hz (a
// reference decode, a recording).
std::vector<float> read_reference(const std::string &raw_file);

// RMS of `length` samples of the sound from `at`.
double rms(const std::vector<float> &sound, long at, long length);

// Runs of sound (RMS above `level` for at least `min_ms`), as sample ranges
// [begin, end) of the recording, found on 10 ms windows.
struct Span {
   long begin, end;
};
std::vector<Span> sound_spans(const std::vector<float> &sound, float level, int min_ms);

// Where in `reference` the `length` samples of `sound` from `at` match best:
// the reference position and the normalised correlation there (-1 to 1).
// With `radius` >= 0 only positions within it of `near` are tried.
struct Match {
   long position = -1;
   double correlation = 0;
};
Match locate(const std::vector<float> &sound, long at, long length, const std::vector<float> &reference, long near = 0,
             long radius = -1);

// How the recording from `begin` to `end` follows the reference: where it
// starts in it, then every 200 ms stretch sought near where the time since
// the start puts it (within 50 ms): the worst correlation and the largest
// drift, over `stretches` stretches.
struct Follow {
   Match start;
   double worst = 1;
   long drift = 0;
   long stretches = 0;
};
Follow follow(const std::vector<float> &recording, long begin, long end, const std::vector<float> &reference);

// The frequency of a tone over `length` samples from `at`, from the spacing
// of its rising zero crossings (interpolated); 0 when there are too few.
double tone_frequency(const std::vector<float> &sound, long at, long length);

}
