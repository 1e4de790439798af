// Registers the compiled-in ship pictures. A static library drops a resource
// object nobody refers to, so the form asks for it explicitly.
#include "editor/thumbnails.h"

#include <QtGlobal>

#ifdef HULLSMITH_THUMBS
static void InitThumbs() { Q_INIT_RESOURCE(thumbs); }
#endif

namespace hull {

bool RegisterThumbnails()
{
#ifdef HULLSMITH_THUMBS
    static const bool once = (InitThumbs(), true);
    return once;
#else
    return false;
#endif
}

} // namespace hull
