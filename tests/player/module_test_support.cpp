#include "module_test_support.h"

#include "player/backend.h"
#include "player/backend_module.h"

#include <allegro.h>

#include <memory>
#include <string_view>

namespace kstr::test {

std::string write_module_file(const TempDir &dir, ModuleFormat format, const ModuleSong &song, const std::string &stem)
{
   const std::vector<uint8_t> bytes = write_module(format, song);
   return dir.write(stem + "." + module_extension(format),
                    std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
}

std::vector<int16_t> reference_render(DUH *duh, int freq, long pos)
{
   constexpr long step = 64;
   std::unique_ptr<DUH_SIGRENDERER, void (*)(DUH_SIGRENDERER *)> sr(duh_start_sigrenderer(duh, 0, 2, pos),
                                                                    duh_end_sigrenderer);
   std::unique_ptr<sample_t *, void (*)(sample_t **)> buffer(allocate_sample_buffer(2, step), destroy_sample_buffer);
   if (!sr || !buffer) {
      ADD_FAILURE() << "DUMB cannot render from " << pos;
      return {};
   }
   DUMB_IT_SIGRENDERER *it = duh_get_it_sigrenderer(sr.get());
   dumb_it_set_loop_callback(it, dumb_it_callback_terminate, nullptr);
   dumb_it_set_xm_speed_zero_callback(it, dumb_it_callback_terminate, nullptr);
   std::vector<int16_t> pcm;
   for (long got = step; got == step;) {
      dumb_silence(buffer.get()[0], 2 * step);
      got = duh_sigrenderer_generate_samples(sr.get(), 1.0f, 65536.0f / static_cast<float>(freq), step, buffer.get());
      for (long i = 0; i < 2 * got; ++i)
         pcm.push_back(static_cast<int16_t>(std::clamp((buffer.get()[0][i] + 0x80) >> 8, -0x8000, 0x7FFF)));
   }
   return pcm;
}

static const AUDIOSTREAM *live_stream()
{
   return al_duh_get_audiostream(module_backend_player());
}

void StreamWatch::restart()
{
   // Frames mixed before this stream started come first in the next pull.
   skip_ = capture_surplus_frames();
   ASSERT_NE(live_stream(), nullptr);
   EXPECT_EQ(live_stream()->bufnum, 0) << "a fresh stream is handed over whole";
   take_buffers(0, 2 * live_stream()->bufcount);
}

bool StreamWatch::poll()
{
   const int before = live_stream() ? live_stream()->bufnum : 0;
   if (polls.emplace_back(module_backend.poll()) != 1)
      return false;
   const int buffers = 2 * live_stream()->bufcount;
   take_buffers(before, (live_stream()->bufnum - before + buffers) % buffers);
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
   const AUDIOSTREAM *s = live_stream();
   const size_t values = static_cast<size_t>(s->len) * (s->samp->stereo ? 2 : 1);
   const auto *data = static_cast<const uint16_t *>(s->samp->data);
   for (int k = 0; k < count; ++k) {
      const size_t buffer = static_cast<size_t>((from + k) % (2 * s->bufcount));
      for (size_t i = buffer * values; i < (buffer + 1) * values; ++i)
         handed.push_back(static_cast<int16_t>(data[i] ^ 0x8000u));
   }
}

}
