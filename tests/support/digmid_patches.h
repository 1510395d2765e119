// The patch set of Allegro's software MIDI synthesiser (DIGMID): the one the
// program ships, made from Debian's freepats by scripts/make_patches.sh into
// the run folder when the build stages it.
//
// Measured: the melodic patches play; freepats' drum patches stay silent
// under DIGMID, whether on channel 10 or as a melodic program, so percussion
// cannot be captured with this set.
#pragma once

#include <string>

namespace kstr::test {

// Path of the run folder's patches.dat, for "patches" in section "sound";
// empty, with a reported failure, when the build has not made it.
std::string digmid_patch_index();

}
