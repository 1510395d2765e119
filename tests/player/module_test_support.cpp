#include "module_test_support.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace kstr::test {

std::string write_module_file(const TempDir &dir, ModuleFormat format, const ModuleSong &song,
                              const std::string &stem)
{
   const std::vector<uint8_t> bytes = write_module(format, song);
   return dir.write(stem + "." + module_extension(format),
                    std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
}

DuhPtr load_module_file(ModuleFormat format, const std::string &path)
{
   switch (format) {
   case ModuleFormat::MOD: return DuhPtr(dumb_load_mod(path.c_str()));
   case ModuleFormat::S3M: return DuhPtr(dumb_load_s3m(path.c_str()));
   case ModuleFormat::XM: return DuhPtr(dumb_load_xm(path.c_str()));
   case ModuleFormat::IT: return DuhPtr(dumb_load_it(path.c_str()));
   }
   return nullptr;
}

Pcm reference_render(DUH *duh, int freq, long pos)
{
   constexpr long step = 64;
   std::unique_ptr<DUH_SIGRENDERER, void (*)(DUH_SIGRENDERER *)> sr(duh_start_sigrenderer(duh, 0, 2, pos),
                                                                     duh_end_sigrenderer);
   std::unique_ptr<sample_t *, void (*)(sample_t **)> buffer(allocate_sample_buffer(2, step),
                                                             destroy_sample_buffer);
   if (!sr || !buffer) {
      ADD_FAILURE() << "DUMB cannot render from " << pos;
      return {};
   }
   DUMB_IT_SIGRENDERER *it = duh_get_it_sigrenderer(sr.get());
   dumb_it_set_loop_callback(it, dumb_it_callback_terminate, nullptr);
   dumb_it_set_xm_speed_zero_callback(it, dumb_it_callback_terminate, nullptr);
   Pcm pcm;
   for (long got = step; got == step;) {
      dumb_silence(buffer.get()[0], 2 * step);
      got = duh_sigrenderer_generate_samples(sr.get(), 1.0f, 65536.0f / static_cast<float>(freq), step,
                                             buffer.get());
      for (long i = 0; i < 2 * got; ++i) {
         const int rounded = std::clamp((buffer.get()[0][i] + 0x80) >> 8, -0x8000, 0x7FFF);
         pcm.push_back(static_cast<uint16_t>(rounded + 0x8000));
      }
   }
   return pcm;
}

std::vector<int16_t> expected_right(const Pcm &pcm, size_t from, size_t to)
{
   std::vector<int16_t> right;
   for (size_t frame = from; frame < std::min(to, pcm.size() / 2); ++frame)
      right.push_back(capture_expected(pcm[2 * frame + 1]));
   return right;
}

StreamWatch::StreamWatch(AL_DUH_PLAYER *dp) : player(dp) { restart(); }

void StreamWatch::restart()
{
   // Frames mixed before this stream started come first in the next pull.
   skip_ = capture_surplus_frames();
   const AUDIOSTREAM *s = al_duh_get_audiostream(player);
   ASSERT_NE(s, nullptr);
   EXPECT_EQ(s->bufnum, 0) << "a fresh stream is handed over whole";
   take_buffers(0, 2 * s->bufcount);
}

bool StreamWatch::poll()
{
   const AUDIOSTREAM *s = al_duh_get_audiostream(player);
   const int before = s ? s->bufnum : 0;
   if (!poller())
      return false;
   s = al_duh_get_audiostream(player);
   const int buffers = 2 * s->bufcount;
   take_buffers(before, (s->bufnum - before + buffers) % buffers);
   return true;
}

void StreamWatch::pull()
{
   const std::vector<int16_t> frames = capture_pull(kCaptureBlockFrames);
   for (size_t i = 1; i < frames.size(); i += 2)
      if (skip_ > 0)
         --skip_;
      else
         heard.push_back(frames[i]);
}

long StreamWatch::play_to_end(long max_frames)
{
   while (static_cast<long>(heard.size()) < max_frames) {
      if (!poll())
         return static_cast<long>(heard.size());
      pull();
   }
   return -1;
}

void StreamWatch::play_until(long frames)
{
   while (static_cast<long>(heard.size()) < frames && poll())
      pull();
}

void StreamWatch::take_buffers(int from, int count)
{
   const AUDIOSTREAM *s = al_duh_get_audiostream(player);
   const size_t values = static_cast<size_t>(s->len) * (s->samp->stereo ? 2 : 1);
   const auto *data = static_cast<const uint16_t *>(s->samp->data);
   for (int k = 0; k < count; ++k) {
      const size_t buffer = static_cast<size_t>((from + k) % (2 * s->bufcount));
      handed.insert(handed.end(), data + buffer * values, data + (buffer + 1) * values);
   }
}

}
