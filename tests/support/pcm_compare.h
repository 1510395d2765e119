// Heard against expected: the build's test files, raw reference PCM, the
// right channel as the capture driver's exact path gives it back
// (capture_sound.h), and equality that says where two signals part.
#pragma once

#include "capture_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kstr::test {

// <build>/testdata/<relative>: what the tests/*/make_*.sh scripts wrote.
inline std::string test_data(const std::string &relative)
{
   const char *root = std::getenv("KSTR_TEST_DATA");
   return std::string(root ? root : "testdata") + "/" + relative;
}

// A raw file of signed 16-bit little-endian samples.
inline std::vector<int16_t> read_pcm(const std::string &path)
{
   std::ifstream in(path, std::ios::binary);
   const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
   EXPECT_FALSE(bytes.empty()) << "missing test file " << path;
   std::vector<int16_t> pcm(bytes.size() / 2);
   for (size_t i = 0; i < pcm.size(); ++i)
      pcm[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
   return pcm;
}

template <class T>
std::vector<T> slice(const std::vector<T> &v, size_t from, size_t to = SIZE_MAX)
{
   to = std::min(to, v.size());
   from = std::min(from, to);
   return std::vector<T>(v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(to));
}

// Frames [from, to) of the last of `channels` interleaved signed channels,
// played by a voice panned right at full level, as the capture driver gives
// them back.
inline std::vector<int16_t> expected_right(const std::vector<int16_t> &pcm, int channels = 2, size_t from = 0,
                                           size_t to = SIZE_MAX)
{
   const size_t step = static_cast<size_t>(channels);
   std::vector<int16_t> right;
   for (size_t frame = from; frame < std::min(to, pcm.size() / step); ++frame)
      right.push_back(
         capture_expected(static_cast<uint16_t>(static_cast<uint16_t>(pcm[step * frame + step - 1]) ^ 0x8000u)));
   return right;
}

inline bool all_silent(const std::vector<int16_t> &pcm, size_t from = 0)
{
   return std::all_of(pcm.begin() + static_cast<long>(std::min(from, pcm.size())), pcm.end(),
                      [](int16_t v) { return v == 0; });
}

template <class T>
testing::AssertionResult same_signal(const std::vector<T> &got, const std::vector<T> &want)
{
   if (got == want)
      return testing::AssertionSuccess();
   size_t at = 0;
   while (at < got.size() && at < want.size() && got[at] == want[at])
      ++at;
   return testing::AssertionFailure() << got.size() << " values against " << want.size() << ", first difference at "
                                      << at;
}

// `got` begins with all of `want`.
template <class T>
testing::AssertionResult starts_with(const std::vector<T> &got, const std::vector<T> &want)
{
   return same_signal(slice(got, 0, want.size()), want);
}

}
