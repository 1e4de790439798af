// Small pictures: the HUD's subsystem icons, the menu backdrop and the
// mouse pointer.
#pragma once

#include <string>

#include "tools/mediagen/image.h"

namespace mediagen {

inline constexpr int kIconWidth = 71;
inline constexpr int kIconHeight = 13;
inline constexpr int kSubsystemCount = 6;

// Subsystem 0..5 (missiles, shields, thrust, turning, generator, weapon),
// damaged (amber) or broken (red).
Image RenderIcon(int subsystem, bool broken);
std::string IconPath(int subsystem, bool broken);

inline constexpr int kDustWidth = 461;
inline constexpr int kDustHeight = 278;
Image RenderDust();

inline constexpr int kPointerSize = 40;
Image RenderPointer();

}  // namespace mediagen
