#pragma once

namespace hull {

// Makes the 24 built-in ship pictures (":/thumbs/ship00.bmp" ..
// ":/thumbs/ship23.bmp", in Tag order) available.
void RegisterThumbnails();

}  // namespace hull
