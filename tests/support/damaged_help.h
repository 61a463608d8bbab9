// Our compiled help file damaged the ways that kill or hang chmlib.
#pragma once

#include <string>

namespace rovanta::test {

enum class HelpDamage {
    WindowSizeZero,      ///< chm_open divides by half the LZX window
    WindowSizeOne,       ///< the same, with a window counted in bytes
    WindowsPerResetZero, ///< the first compressed read divides by zero
    DirectoryLoop,       ///< an index chunk that points at itself: chm_open never returns
};

/// `bytes` of a compiled help file with `damage` done; empty when the file
/// is not laid out as expected.
std::string damageHelpFile(std::string bytes, HelpDamage damage);

} // namespace rovanta::test
