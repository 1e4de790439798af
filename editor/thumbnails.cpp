// Registers the compiled-in ship pictures. A static library drops a resource
// object nobody refers to, so the form asks for it explicitly.
#include "editor/thumbnails.h"

#include <QtGlobal>

static void InitThumbs() { Q_INIT_RESOURCE(thumbs); }

namespace hull {

void RegisterThumbnails() {
    static const bool once = (InitThumbs(), true);
    (void)once;
}

}  // namespace hull
