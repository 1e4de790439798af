#include "vx/vxtile.h"

#include <cstdint>

VXTile::VXTile(VXScreen* screen, const char* fileName, int blockWidth, int blockHeight, int blockCount,
               MemoryType type) {
    Init();
    Create(screen, fileName, blockWidth, blockHeight, blockCount, type);
}

VXTile::~VXTile() = default;

void VXTile::Init() {
    SrcRect = RECT{};
    DestRect = RECT{};
    BlockWidth = 0;
    BlockHeight = 0;
    BlockCount = 0;
}

int VXTile::Create(VXScreen* screen, const char* fileName, int blockWidth, int blockHeight, int blockCount,
                   MemoryType type) {
    if (!fileName) return 0;
    BlockWidth = blockWidth;
    BlockHeight = blockHeight;
    BlockCount = blockCount;
    return CreateFromFile(screen, fileName, type);
}

int VXTile::BlocksPerRow() const {
    if (BlockWidth <= 0 || BlockHeight <= 0 || Height < BlockHeight) return 0;
    // The count is kept to 16 bits, as the block arithmetic always had it.
    return static_cast<std::uint16_t>(Width / BlockWidth);
}

bool VXTile::BlockRect(int frame, RECT& rect) const {
    const int perRow = BlocksPerRow();
    if (perRow == 0) return false;
    const std::int64_t left = static_cast<std::int64_t>(frame % perRow) * BlockWidth;
    const std::int64_t top = static_cast<std::int64_t>(frame / perRow) * BlockHeight;
    const std::int64_t right = left + BlockWidth;
    const std::int64_t bottom = top + BlockHeight;
    if (left < INT32_MIN || top < INT32_MIN || right > INT32_MAX || bottom > INT32_MAX) return false;
    rect.left = static_cast<LONG>(left);
    rect.top = static_cast<LONG>(top);
    rect.right = static_cast<LONG>(right);
    rect.bottom = static_cast<LONG>(bottom);
    return true;
}
