// Writes small but complete tracker modules for the tests: MOD, S3M, XM and
// IT files with two looped samples (a square wave and a sine, the sine 16-bit
// in XM and IT) and patterns of a few notes on two channels.
//
// Contract:
// - Every pattern plays once, in order, with no jump back, so DUMB ends the
//   song after patterns x rows x speed ticks of 2.5 / tempo seconds each
//   (song_seconds).
// - MOD and S3M patterns hold 64 rows; shorter ones end in a pattern break.
//   MOD sets speed and tempo with effects on the first row, the other formats
//   in their header. tempo is at least 32, rows 2 to 64, speed 1 to 31.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kstr::test {

enum class ModuleFormat { MOD, S3M, XM, IT };

struct ModuleSong {
   int speed = 3;    // ticks a row
   int tempo = 125;  // beats a minute; a tick lasts 2.5 / tempo s
   int rows = 16;    // rows a pattern
   int patterns = 2;
   // XM only: speed 0 (effect F00) on this row of the first pattern, where
   // FastTracker stops the song; -1 for none.
   int xm_stop_row = -1;
};

inline constexpr ModuleFormat kModuleFormats[] = {ModuleFormat::MOD, ModuleFormat::S3M, ModuleFormat::XM,
                                                  ModuleFormat::IT};

// "mod", "s3m", "xm", "it".
std::string module_extension(ModuleFormat format);

std::vector<uint8_t> write_module(ModuleFormat format, const ModuleSong &song = {});

double song_seconds(const ModuleSong &song);

}
