// Icon 128, the application icon, at 32x32 and 16x16, as XPM image data.
#pragma once

namespace res {

/// The 32x32 image of icon 128 (XPM).
extern const char* const kIcon32[];
/// The 16x16 image of icon 128 (XPM).
extern const char* const kIcon16[];

}  // namespace res
