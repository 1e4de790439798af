// Result codes of the display and sound services. Each DirectDraw and
// DirectSound failure has a code of its own; the first five of each family
// reuse the general codes. DDERR_SURFACELOST has the value the layer's callers
// test for; every other code is our own. The codes ascend in the order listed
// here, and the error-name tables of the layer list them in the same order.
#pragma once

#include "platform/system/win32types.h"

inline constexpr HRESULT DD_OK = S_OK;
inline constexpr HRESULT DS_OK = S_OK;
inline constexpr HRESULT MakeDirectDrawResult(unsigned code) { return MakeResult(0x88760000u + code); }
inline constexpr HRESULT MakeDirectSoundResult(unsigned code) { return MakeResult(0x88A50000u + code); }

inline constexpr HRESULT DDERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HRESULT DDERR_GENERIC = E_FAIL;
inline constexpr HRESULT DDERR_NOTINITIALIZED = CO_E_NOTINITIALIZED;
inline constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
inline constexpr HRESULT DDERR_ALREADYINITIALIZED = MakeDirectDrawResult(401);
inline constexpr HRESULT DDERR_CANNOTATTACHSURFACE = MakeDirectDrawResult(402);
inline constexpr HRESULT DDERR_CANNOTDETACHSURFACE = MakeDirectDrawResult(403);
inline constexpr HRESULT DDERR_CURRENTLYNOTAVAIL = MakeDirectDrawResult(404);
inline constexpr HRESULT DDERR_EXCEPTION = MakeDirectDrawResult(405);
inline constexpr HRESULT DDERR_HEIGHTALIGN = MakeDirectDrawResult(406);
inline constexpr HRESULT DDERR_INCOMPATIBLEPRIMARY = MakeDirectDrawResult(407);
inline constexpr HRESULT DDERR_INVALIDCAPS = MakeDirectDrawResult(408);
inline constexpr HRESULT DDERR_INVALIDCLIPLIST = MakeDirectDrawResult(409);
inline constexpr HRESULT DDERR_INVALIDMODE = MakeDirectDrawResult(410);
inline constexpr HRESULT DDERR_INVALIDOBJECT = MakeDirectDrawResult(411);
inline constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDirectDrawResult(412);
inline constexpr HRESULT DDERR_INVALIDRECT = MakeDirectDrawResult(413);
inline constexpr HRESULT DDERR_LOCKEDSURFACES = MakeDirectDrawResult(414);
inline constexpr HRESULT DDERR_NO3D = MakeDirectDrawResult(415);
inline constexpr HRESULT DDERR_NOALPHAHW = MakeDirectDrawResult(416);
inline constexpr HRESULT DDERR_NOCLIPLIST = MakeDirectDrawResult(417);
inline constexpr HRESULT DDERR_NOCOLORCONVHW = MakeDirectDrawResult(418);
inline constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDirectDrawResult(419);
inline constexpr HRESULT DDERR_NOCOLORKEY = MakeDirectDrawResult(420);
inline constexpr HRESULT DDERR_NOCOLORKEYHW = MakeDirectDrawResult(421);
inline constexpr HRESULT DDERR_NODIRECTDRAWSUPPORT = MakeDirectDrawResult(422);
inline constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDirectDrawResult(423);
inline constexpr HRESULT DDERR_NOFLIPHW = MakeDirectDrawResult(424);
inline constexpr HRESULT DDERR_NOGDI = MakeDirectDrawResult(425);
inline constexpr HRESULT DDERR_NOMIRRORHW = MakeDirectDrawResult(426);
inline constexpr HRESULT DDERR_NOTFOUND = MakeDirectDrawResult(427);
inline constexpr HRESULT DDERR_NOOVERLAYHW = MakeDirectDrawResult(428);
inline constexpr HRESULT DDERR_NORASTEROPHW = MakeDirectDrawResult(429);
inline constexpr HRESULT DDERR_NOROTATIONHW = MakeDirectDrawResult(430);
inline constexpr HRESULT DDERR_NOSTRETCHHW = MakeDirectDrawResult(431);
inline constexpr HRESULT DDERR_NOT4BITCOLOR = MakeDirectDrawResult(432);
inline constexpr HRESULT DDERR_NOT4BITCOLORINDEX = MakeDirectDrawResult(433);
inline constexpr HRESULT DDERR_NOT8BITCOLOR = MakeDirectDrawResult(434);
inline constexpr HRESULT DDERR_NOTEXTUREHW = MakeDirectDrawResult(435);
inline constexpr HRESULT DDERR_NOVSYNCHW = MakeDirectDrawResult(436);
inline constexpr HRESULT DDERR_NOZBUFFERHW = MakeDirectDrawResult(437);
inline constexpr HRESULT DDERR_NOZOVERLAYHW = MakeDirectDrawResult(438);
inline constexpr HRESULT DDERR_OUTOFCAPS = MakeDirectDrawResult(439);
inline constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDirectDrawResult(440);
inline constexpr HRESULT DDERR_OVERLAYCANTCLIP = MakeDirectDrawResult(441);
inline constexpr HRESULT DDERR_OVERLAYCOLORKEYONLYONEACTIVE = MakeDirectDrawResult(442);
inline constexpr HRESULT DDERR_PALETTEBUSY = MakeDirectDrawResult(443);
inline constexpr HRESULT DDERR_COLORKEYNOTSET = MakeDirectDrawResult(444);
inline constexpr HRESULT DDERR_SURFACEALREADYATTACHED = MakeDirectDrawResult(445);
inline constexpr HRESULT DDERR_SURFACEALREADYDEPENDENT = MakeDirectDrawResult(446);
inline constexpr HRESULT DDERR_SURFACEBUSY = MakeDirectDrawResult(447);
inline constexpr HRESULT DDERR_CANTLOCKSURFACE = MakeDirectDrawResult(448);
inline constexpr HRESULT DDERR_SURFACEISOBSCURED = MakeDirectDrawResult(449);
inline constexpr HRESULT DDERR_SURFACELOST = MakeDirectDrawResult(450);
inline constexpr HRESULT DDERR_SURFACENOTATTACHED = MakeDirectDrawResult(451);
inline constexpr HRESULT DDERR_TOOBIGHEIGHT = MakeDirectDrawResult(452);
inline constexpr HRESULT DDERR_TOOBIGSIZE = MakeDirectDrawResult(453);
inline constexpr HRESULT DDERR_TOOBIGWIDTH = MakeDirectDrawResult(454);
inline constexpr HRESULT DDERR_UNSUPPORTEDFORMAT = MakeDirectDrawResult(455);
inline constexpr HRESULT DDERR_UNSUPPORTEDMASK = MakeDirectDrawResult(456);
inline constexpr HRESULT DDERR_VERTICALBLANKINPROGRESS = MakeDirectDrawResult(457);
inline constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDirectDrawResult(458);
inline constexpr HRESULT DDERR_XALIGN = MakeDirectDrawResult(459);
inline constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = MakeDirectDrawResult(460);
inline constexpr HRESULT DDERR_DIRECTDRAWALREADYCREATED = MakeDirectDrawResult(461);
inline constexpr HRESULT DDERR_NODIRECTDRAWHW = MakeDirectDrawResult(462);
inline constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDirectDrawResult(463);
inline constexpr HRESULT DDERR_NOEMULATION = MakeDirectDrawResult(464);
inline constexpr HRESULT DDERR_REGIONTOOSMALL = MakeDirectDrawResult(465);
inline constexpr HRESULT DDERR_CLIPPERISUSINGHWND = MakeDirectDrawResult(466);
inline constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDirectDrawResult(467);
inline constexpr HRESULT DDERR_NOHWND = MakeDirectDrawResult(468);
inline constexpr HRESULT DDERR_HWNDSUBCLASSED = MakeDirectDrawResult(469);
inline constexpr HRESULT DDERR_HWNDALREADYSET = MakeDirectDrawResult(470);
inline constexpr HRESULT DDERR_NOPALETTEATTACHED = MakeDirectDrawResult(471);
inline constexpr HRESULT DDERR_NOPALETTEHW = MakeDirectDrawResult(472);
inline constexpr HRESULT DDERR_BLTFASTCANTCLIP = MakeDirectDrawResult(473);
inline constexpr HRESULT DDERR_NOBLTHW = MakeDirectDrawResult(474);
inline constexpr HRESULT DDERR_NODDROPSHW = MakeDirectDrawResult(475);
inline constexpr HRESULT DDERR_OVERLAYNOTVISIBLE = MakeDirectDrawResult(476);
inline constexpr HRESULT DDERR_NOOVERLAYDEST = MakeDirectDrawResult(477);
inline constexpr HRESULT DDERR_INVALIDPOSITION = MakeDirectDrawResult(478);
inline constexpr HRESULT DDERR_NOTAOVERLAYSURFACE = MakeDirectDrawResult(479);
inline constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MakeDirectDrawResult(480);
inline constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDirectDrawResult(481);
inline constexpr HRESULT DDERR_CANTDUPLICATE = MakeDirectDrawResult(482);
inline constexpr HRESULT DDERR_NOTLOCKED = MakeDirectDrawResult(483);
inline constexpr HRESULT DDERR_CANTCREATEDC = MakeDirectDrawResult(484);
inline constexpr HRESULT DDERR_NODC = MakeDirectDrawResult(485);
inline constexpr HRESULT DDERR_WRONGMODE = MakeDirectDrawResult(486);
inline constexpr HRESULT DDERR_IMPLICITLYCREATED = MakeDirectDrawResult(487);
inline constexpr HRESULT DDERR_NOTPALETTIZED = MakeDirectDrawResult(488);
inline constexpr HRESULT DDERR_UNSUPPORTEDMODE = MakeDirectDrawResult(489);
inline constexpr HRESULT DDERR_NOMIPMAPHW = MakeDirectDrawResult(490);
inline constexpr HRESULT DDERR_INVALIDSURFACETYPE = MakeDirectDrawResult(491);
inline constexpr HRESULT DDERR_DCALREADYCREATED = MakeDirectDrawResult(492);
inline constexpr HRESULT DDERR_CANTPAGELOCK = MakeDirectDrawResult(493);
inline constexpr HRESULT DDERR_CANTPAGEUNLOCK = MakeDirectDrawResult(494);
inline constexpr HRESULT DDERR_NOTPAGELOCKED = MakeDirectDrawResult(495);

inline constexpr HRESULT DSERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HRESULT DSERR_GENERIC = E_FAIL;
inline constexpr HRESULT DSERR_NOAGGREGATION = CLASS_E_NOAGGREGATION;
inline constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HRESULT DSERR_ALLOCATED = MakeDirectSoundResult(1);
inline constexpr HRESULT DSERR_CONTROLUNAVAIL = MakeDirectSoundResult(2);
inline constexpr HRESULT DSERR_INVALIDCALL = MakeDirectSoundResult(3);
inline constexpr HRESULT DSERR_PRIOLEVELNEEDED = MakeDirectSoundResult(4);
inline constexpr HRESULT DSERR_BADFORMAT = MakeDirectSoundResult(5);
inline constexpr HRESULT DSERR_NODRIVER = MakeDirectSoundResult(6);
inline constexpr HRESULT DSERR_ALREADYINITIALIZED = MakeDirectSoundResult(7);
inline constexpr HRESULT DSERR_BUFFERLOST = MakeDirectSoundResult(8);
inline constexpr HRESULT DSERR_OTHERAPPHASPRIO = MakeDirectSoundResult(9);
inline constexpr HRESULT DSERR_UNINITIALIZED = MakeDirectSoundResult(10);

static_assert(static_cast<std::uint32_t>(DDERR_SURFACELOST) == 0x887601C2u);
static_assert(static_cast<std::uint32_t>(E_FAIL) == 0x80004005u);
