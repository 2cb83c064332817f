// How a printer finds the start of the next label: the gap between labels,
// a black mark on the back, or not at all (continuous paper).
#pragma once

namespace prt {

enum class MediaSensing { kGap, kBlackMark, kContinuous };

}  // namespace prt
