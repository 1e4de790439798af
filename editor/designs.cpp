#include "editor/designs.h"

#include <algorithm>
#include <cstring>

namespace hull {

void Designs::SetDefaults(int d) { SetRecord(d, shipdata::FreshDesign()); }

namespace {

template <typename T, size_t N>
void CopyOut(T (&to)[N], const std::array<T, N>& from)
{
    std::copy(from.begin(), from.end(), to);
}

template <typename T, size_t N>
void CopyIn(std::array<T, N>& to, const T (&from)[N])
{
    std::copy(from, from + N, to.begin());
}

} // namespace

shipdata::ShipClassRecord Designs::Record(int d) const
{
    shipdata::ShipClassRecord r = shipdata::ZeroRecord();
    r.Active = Active[d];
    CopyOut(r.WeaponType, WeaponType[d]);
    CopyOut(r.WeaponX, WeaponX[d]);
    CopyOut(r.WeaponY, WeaponY[d]);
    CopyOut(r.Aim, Aim[d]);
    CopyOut(r.Convergence, Convergence[d]);
    CopyOut(r.FireDirection, FireDirection[d]);
    r.Technology = Technology[d];
    r.ImageSelection = ImageSelection[d];
    r.Missiles = Missiles[d];
    r.IonCount = IonCount[d];
    r.LaserCount = LaserCount[d];
    r.Turn = Turn[d];
    r.Acceleration = Acceleration[d];
    r.Shield = Shield[d];
    r.Hull = Hull[d];
    r.DrawScale = DrawScale[d];
    r.BoundingSphere = BoundingSphere[d];
    r.FrameCount = FrameCount[d];
    std::memcpy(r.ImageFolder, ImageFolder[d].data(), kTextSize);
    std::memcpy(r.ImageName, ImageName[d].data(), kTextSize);
    std::memcpy(r.Name, Name[d].data(), kTextSize);
    r.AimLine = AimLine[d];
    r.AstroDroid = AstroDroid[d];
    r.EngineSoundKind = EngineSoundKind[d];
    CopyOut(r.TurretCover, TurretCover[d]);
    r.BeamCount = BeamCount[d];
    CopyOut(r.Power, Power[d]);
    CopyOut(r.Range, Range[d]);
    CopyOut(r.Armor, Armor[d]);
    CopyOut(r.Reserved, Reserved[d]);
    r.LinkAll = LinkAll[d];
    CopyOut(r.Specials, Specials[d]);
    return r;
}

void Designs::SetRecord(int d, const shipdata::ShipClassRecord& r)
{
    Active[d] = r.Active;
    CopyIn(WeaponType[d], r.WeaponType);
    CopyIn(WeaponX[d], r.WeaponX);
    CopyIn(WeaponY[d], r.WeaponY);
    CopyIn(Aim[d], r.Aim);
    CopyIn(Convergence[d], r.Convergence);
    CopyIn(FireDirection[d], r.FireDirection);
    Technology[d] = r.Technology;
    ImageSelection[d] = r.ImageSelection;
    Missiles[d] = r.Missiles;
    IonCount[d] = r.IonCount;
    LaserCount[d] = r.LaserCount;
    Turn[d] = r.Turn;
    Acceleration[d] = r.Acceleration;
    Shield[d] = r.Shield;
    Hull[d] = r.Hull;
    DrawScale[d] = r.DrawScale;
    BoundingSphere[d] = r.BoundingSphere;
    FrameCount[d] = r.FrameCount;
    std::memcpy(ImageFolder[d].data(), r.ImageFolder, kTextSize);
    std::memcpy(ImageName[d].data(), r.ImageName, kTextSize);
    std::memcpy(Name[d].data(), r.Name, kTextSize);
    AimLine[d] = r.AimLine;
    AstroDroid[d] = r.AstroDroid;
    EngineSoundKind[d] = r.EngineSoundKind;
    CopyIn(TurretCover[d], r.TurretCover);
    BeamCount[d] = r.BeamCount;
    CopyIn(Power[d], r.Power);
    CopyIn(Range[d], r.Range);
    CopyIn(Armor[d], r.Armor);
    CopyIn(Reserved[d], r.Reserved);
    LinkAll[d] = r.LinkAll;
    CopyIn(Specials[d], r.Specials);
}

} // namespace hull
