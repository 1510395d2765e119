// What the end-to-end scenarios read back: icons found in the program's
// screenshot, and the recorded sound compared with reference decodes.
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

// The centre of the first place where the 24-bit icon file shows in the
// picture (magenta pixels are transparent; colours match within the error of
// a 16-bit screen), or not found.
Point find_icon(const Picture &picture, const std::string &icon_file);

// Number of pixels that differ between two pictures of one size.
long differing_pixels(const Picture &a, const Picture &b);

// Mono sound from a raw file of signed 16-bit stereo at 44100 Hz (a
// reference decode, a recording).
std::vector<float> read_reference(const std::string &raw_file);

inline constexpr int RATE = 44100;

// RMS of the sound in windows of `window` samples.
std::vector<float> envelope(const std::vector<float> &sound, int window);

// Runs of sound (RMS above `level` for at least `min_ms`), as sample ranges
// [begin, end) of the recording, found on 10 ms windows.
struct Span {
   long begin, end;
};
std::vector<Span> sound_spans(const std::vector<float> &sound, float level, int min_ms);

// Where in `reference` the `length` samples of `sound` from `at` match best:
// the reference position and the normalised correlation there (-1 to 1).
struct Match {
   long position = -1;
   double correlation = 0;
};
// With `radius` >= 0 only positions within it of `near` are tried.
Match locate(const std::vector<float> &sound, long at, long length, const std::vector<float> &reference,
             long near = 0, long radius = -1);

// Normalised correlation of `length` samples of `sound` from `at` with the
// reference from `ref_at`.
double correlation(const std::vector<float> &sound, long at, const std::vector<float> &reference, long ref_at,
                   long length);

}

namespace kstr::test {

// The frequency of a tone over `length` samples from `at`, from the spacing
// of its rising zero crossings (interpolated); 0 when there are too few.
double tone_frequency(const std::vector<float> &sound, long at, long length);

}
