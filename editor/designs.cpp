#include "editor/designs.h"

namespace hull {

void Designs::SetDefaults(int d) { SetRecord(d, shipdata::FreshDesign()); }

shipdata::ShipClassRecord Designs::Record(int d) const {
    shipdata::ShipClassRecord r = shipdata::ZeroRecord();
#define HULL_COPY_TO_RECORD(name, kind, count, at) shipdata::CopyField(r.name, name[d]);
    SHIPDATA_RECORD_FIELDS(HULL_COPY_TO_RECORD)
#undef HULL_COPY_TO_RECORD
    return r;
}

void Designs::SetRecord(int d, const shipdata::ShipClassRecord& r) {
#define HULL_COPY_TO_DESIGN(name, kind, count, at) shipdata::CopyField(name[d], r.name);
    SHIPDATA_RECORD_FIELDS(HULL_COPY_TO_DESIGN)
#undef HULL_COPY_TO_DESIGN
}

}  // namespace hull
