#include "allegro_env.h"

#include "temp_dir.h"
#include "toolkit/start.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

namespace kstr::test {

namespace {

bool g_started = false;
int g_config_generation = 0;
std::string g_config_path;

// Created before install_allegro registers its atexit handler, so it is torn
// down after Allegro has written its configuration back.
TempDir &config_dir()
{
   static TempDir dir;
   return dir;
}

// Each configuration gets a fresh file name: set_config_file writes the
// previous configuration back to its own file before loading the new one,
// which would clobber text written to the same name.
void use_config(const std::string &config_text)
{
   TempDir &dir = config_dir();
   g_config_path = dir.write("allegro-" + std::to_string(++g_config_generation) + ".cfg", config_text);
   set_config_file(g_config_path.c_str());
}

}

bool start_allegro(const std::string &config_text)
{
   if (g_started) {
      if (!config_text.empty())
         use_config(config_text);
      return true;
   }
   const char *display = std::getenv("DISPLAY");
   if (!display || !*display) {
      ADD_FAILURE() << "DISPLAY is not set: Allegro needs an X server (start Xvfb and export DISPLAY)";
      return false;
   }
   use_config(config_text);
   // The background thread the program runs, not Allegro's own.
   UseToolkitBackgroundThread();
   // When many test processes connect at once the X server drops some
   // connections (ECONNRESET, EAGAIN); a moment later it accepts them.
   constexpr int kAttempts = 10;
   int error = 0;
   for (int attempt = 1; attempt <= kAttempts; ++attempt) {
      errno = 0;
      if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) == 0) {
         g_started = true;
         return true;
      }
      error = errno;
      if (attempt < kAttempts)
         std::this_thread::sleep_for(std::chrono::milliseconds(20 * attempt));
   }
   ADD_FAILURE() << "install_allegro failed " << kAttempts << " times on DISPLAY=" << display << ": " << allegro_error
                 << " (" << std::strerror(error) << ")";
   return false;
}

std::string allegro_config_path()
{
   return g_config_path;
}

bool open_test_window(int width, int height, int depth)
{
   if (!start_allegro())
      return false;
   set_color_depth(depth);
   if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, width, height, 0, 0) != 0) {
      ADD_FAILURE() << "set_gfx_mode(" << width << "x" << height << "x" << depth << ") refused: " << allegro_error;
      return false;
   }
   return true;
}

Rgb screen_pixel(int x, int y)
{
   const int depth = bitmap_color_depth(screen);
   const int c = getpixel(screen, x, y);
   return Rgb{getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c)};
}

std::string save_screenshot(const std::string &name)
{
   std::error_code ec;
   const std::filesystem::path dir = std::filesystem::current_path(ec) / "screenshots";
   std::filesystem::create_directories(dir, ec);
   if (ec) {
      ADD_FAILURE() << "cannot create " << dir << ": " << ec.message();
      return {};
   }
   const std::string path = (dir / (name + ".bmp")).string();
   PALETTE pal;
   get_palette(pal);
   if (!screen || save_bitmap(path.c_str(), screen, pal) != 0) {
      ADD_FAILURE() << "cannot save screenshot " << path;
      return {};
   }
   return path;
}

}
