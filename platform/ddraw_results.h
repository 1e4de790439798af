// Result codes of the display and sound services. Each DirectDraw and
// DirectSound failure has a code of its own; the first five of each family
// reuse the general codes. The codes ascend in the order listed here, and the
// error-name tables of the layer list them in the same order.
#pragma once

#include "platform/win32types.h"

inline constexpr HRESULT DD_OK = S_OK;
inline constexpr HRESULT DS_OK = S_OK;
inline constexpr HRESULT MakeDirectDrawResult(unsigned code) { return MakeResult(0x88760000u + code); }
inline constexpr HRESULT MakeDirectSoundResult(unsigned code) { return MakeResult(0x88780000u + code); }

inline constexpr HRESULT DDERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HRESULT DDERR_GENERIC = E_FAIL;
inline constexpr HRESULT DDERR_NOTINITIALIZED = CO_E_NOTINITIALIZED;
inline constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
inline constexpr HRESULT DDERR_ALREADYINITIALIZED = MakeDirectDrawResult(9);
inline constexpr HRESULT DDERR_CANNOTATTACHSURFACE = MakeDirectDrawResult(18);
inline constexpr HRESULT DDERR_CANNOTDETACHSURFACE = MakeDirectDrawResult(27);
inline constexpr HRESULT DDERR_CURRENTLYNOTAVAIL = MakeDirectDrawResult(36);
inline constexpr HRESULT DDERR_EXCEPTION = MakeDirectDrawResult(45);
inline constexpr HRESULT DDERR_HEIGHTALIGN = MakeDirectDrawResult(54);
inline constexpr HRESULT DDERR_INCOMPATIBLEPRIMARY = MakeDirectDrawResult(63);
inline constexpr HRESULT DDERR_INVALIDCAPS = MakeDirectDrawResult(72);
inline constexpr HRESULT DDERR_INVALIDCLIPLIST = MakeDirectDrawResult(81);
inline constexpr HRESULT DDERR_INVALIDMODE = MakeDirectDrawResult(90);
inline constexpr HRESULT DDERR_INVALIDOBJECT = MakeDirectDrawResult(99);
inline constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDirectDrawResult(108);
inline constexpr HRESULT DDERR_INVALIDRECT = MakeDirectDrawResult(117);
inline constexpr HRESULT DDERR_LOCKEDSURFACES = MakeDirectDrawResult(126);
inline constexpr HRESULT DDERR_NO3D = MakeDirectDrawResult(135);
inline constexpr HRESULT DDERR_NOALPHAHW = MakeDirectDrawResult(144);
inline constexpr HRESULT DDERR_NOCLIPLIST = MakeDirectDrawResult(153);
inline constexpr HRESULT DDERR_NOCOLORCONVHW = MakeDirectDrawResult(162);
inline constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = MakeDirectDrawResult(171);
inline constexpr HRESULT DDERR_NOCOLORKEY = MakeDirectDrawResult(180);
inline constexpr HRESULT DDERR_NOCOLORKEYHW = MakeDirectDrawResult(189);
inline constexpr HRESULT DDERR_NODIRECTDRAWSUPPORT = MakeDirectDrawResult(198);
inline constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MakeDirectDrawResult(207);
inline constexpr HRESULT DDERR_NOFLIPHW = MakeDirectDrawResult(216);
inline constexpr HRESULT DDERR_NOGDI = MakeDirectDrawResult(225);
inline constexpr HRESULT DDERR_NOMIRRORHW = MakeDirectDrawResult(234);
inline constexpr HRESULT DDERR_NOTFOUND = MakeDirectDrawResult(243);
inline constexpr HRESULT DDERR_NOOVERLAYHW = MakeDirectDrawResult(252);
inline constexpr HRESULT DDERR_NORASTEROPHW = MakeDirectDrawResult(261);
inline constexpr HRESULT DDERR_NOROTATIONHW = MakeDirectDrawResult(270);
inline constexpr HRESULT DDERR_NOSTRETCHHW = MakeDirectDrawResult(279);
inline constexpr HRESULT DDERR_NOT4BITCOLOR = MakeDirectDrawResult(288);
inline constexpr HRESULT DDERR_NOT4BITCOLORINDEX = MakeDirectDrawResult(297);
inline constexpr HRESULT DDERR_NOT8BITCOLOR = MakeDirectDrawResult(306);
inline constexpr HRESULT DDERR_NOTEXTUREHW = MakeDirectDrawResult(315);
inline constexpr HRESULT DDERR_NOVSYNCHW = MakeDirectDrawResult(324);
inline constexpr HRESULT DDERR_NOZBUFFERHW = MakeDirectDrawResult(333);
inline constexpr HRESULT DDERR_NOZOVERLAYHW = MakeDirectDrawResult(342);
inline constexpr HRESULT DDERR_OUTOFCAPS = MakeDirectDrawResult(351);
inline constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDirectDrawResult(360);
inline constexpr HRESULT DDERR_OVERLAYCANTCLIP = MakeDirectDrawResult(369);
inline constexpr HRESULT DDERR_OVERLAYCOLORKEYONLYONEACTIVE = MakeDirectDrawResult(378);
inline constexpr HRESULT DDERR_PALETTEBUSY = MakeDirectDrawResult(387);
inline constexpr HRESULT DDERR_COLORKEYNOTSET = MakeDirectDrawResult(396);
inline constexpr HRESULT DDERR_SURFACEALREADYATTACHED = MakeDirectDrawResult(405);
inline constexpr HRESULT DDERR_SURFACEALREADYDEPENDENT = MakeDirectDrawResult(414);
inline constexpr HRESULT DDERR_SURFACEBUSY = MakeDirectDrawResult(423);
inline constexpr HRESULT DDERR_CANTLOCKSURFACE = MakeDirectDrawResult(432);
inline constexpr HRESULT DDERR_SURFACEISOBSCURED = MakeDirectDrawResult(441);
inline constexpr HRESULT DDERR_SURFACELOST = MakeDirectDrawResult(450);
inline constexpr HRESULT DDERR_SURFACENOTATTACHED = MakeDirectDrawResult(460);
inline constexpr HRESULT DDERR_TOOBIGHEIGHT = MakeDirectDrawResult(470);
inline constexpr HRESULT DDERR_TOOBIGSIZE = MakeDirectDrawResult(480);
inline constexpr HRESULT DDERR_TOOBIGWIDTH = MakeDirectDrawResult(490);
inline constexpr HRESULT DDERR_UNSUPPORTEDFORMAT = MakeDirectDrawResult(500);
inline constexpr HRESULT DDERR_UNSUPPORTEDMASK = MakeDirectDrawResult(510);
inline constexpr HRESULT DDERR_VERTICALBLANKINPROGRESS = MakeDirectDrawResult(520);
inline constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDirectDrawResult(530);
inline constexpr HRESULT DDERR_XALIGN = MakeDirectDrawResult(540);
inline constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = MakeDirectDrawResult(550);
inline constexpr HRESULT DDERR_DIRECTDRAWALREADYCREATED = MakeDirectDrawResult(560);
inline constexpr HRESULT DDERR_NODIRECTDRAWHW = MakeDirectDrawResult(570);
inline constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDirectDrawResult(580);
inline constexpr HRESULT DDERR_NOEMULATION = MakeDirectDrawResult(590);
inline constexpr HRESULT DDERR_REGIONTOOSMALL = MakeDirectDrawResult(600);
inline constexpr HRESULT DDERR_CLIPPERISUSINGHWND = MakeDirectDrawResult(610);
inline constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDirectDrawResult(620);
inline constexpr HRESULT DDERR_NOHWND = MakeDirectDrawResult(630);
inline constexpr HRESULT DDERR_HWNDSUBCLASSED = MakeDirectDrawResult(640);
inline constexpr HRESULT DDERR_HWNDALREADYSET = MakeDirectDrawResult(650);
inline constexpr HRESULT DDERR_NOPALETTEATTACHED = MakeDirectDrawResult(660);
inline constexpr HRESULT DDERR_NOPALETTEHW = MakeDirectDrawResult(670);
inline constexpr HRESULT DDERR_BLTFASTCANTCLIP = MakeDirectDrawResult(680);
inline constexpr HRESULT DDERR_NOBLTHW = MakeDirectDrawResult(690);
inline constexpr HRESULT DDERR_NODDROPSHW = MakeDirectDrawResult(700);
inline constexpr HRESULT DDERR_OVERLAYNOTVISIBLE = MakeDirectDrawResult(710);
inline constexpr HRESULT DDERR_NOOVERLAYDEST = MakeDirectDrawResult(720);
inline constexpr HRESULT DDERR_INVALIDPOSITION = MakeDirectDrawResult(730);
inline constexpr HRESULT DDERR_NOTAOVERLAYSURFACE = MakeDirectDrawResult(740);
inline constexpr HRESULT DDERR_EXCLUSIVEMODEALREADYSET = MakeDirectDrawResult(750);
inline constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDirectDrawResult(760);
inline constexpr HRESULT DDERR_CANTDUPLICATE = MakeDirectDrawResult(770);
inline constexpr HRESULT DDERR_NOTLOCKED = MakeDirectDrawResult(780);
inline constexpr HRESULT DDERR_CANTCREATEDC = MakeDirectDrawResult(790);
inline constexpr HRESULT DDERR_NODC = MakeDirectDrawResult(800);
inline constexpr HRESULT DDERR_WRONGMODE = MakeDirectDrawResult(810);
inline constexpr HRESULT DDERR_IMPLICITLYCREATED = MakeDirectDrawResult(820);
inline constexpr HRESULT DDERR_NOTPALETTIZED = MakeDirectDrawResult(830);
inline constexpr HRESULT DDERR_UNSUPPORTEDMODE = MakeDirectDrawResult(840);
inline constexpr HRESULT DDERR_NOMIPMAPHW = MakeDirectDrawResult(850);
inline constexpr HRESULT DDERR_INVALIDSURFACETYPE = MakeDirectDrawResult(860);
inline constexpr HRESULT DDERR_DCALREADYCREATED = MakeDirectDrawResult(870);
inline constexpr HRESULT DDERR_CANTPAGELOCK = MakeDirectDrawResult(880);
inline constexpr HRESULT DDERR_CANTPAGEUNLOCK = MakeDirectDrawResult(890);
inline constexpr HRESULT DDERR_NOTPAGELOCKED = MakeDirectDrawResult(900);

inline constexpr HRESULT DSERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HRESULT DSERR_GENERIC = E_FAIL;
inline constexpr HRESULT DSERR_NOAGGREGATION = CLASS_E_NOAGGREGATION;
inline constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HRESULT DSERR_ALLOCATED = MakeDirectSoundResult(10);
inline constexpr HRESULT DSERR_CONTROLUNAVAIL = MakeDirectSoundResult(20);
inline constexpr HRESULT DSERR_INVALIDCALL = MakeDirectSoundResult(30);
inline constexpr HRESULT DSERR_PRIOLEVELNEEDED = MakeDirectSoundResult(40);
inline constexpr HRESULT DSERR_BADFORMAT = MakeDirectSoundResult(50);
inline constexpr HRESULT DSERR_NODRIVER = MakeDirectSoundResult(60);
inline constexpr HRESULT DSERR_ALREADYINITIALIZED = MakeDirectSoundResult(70);
inline constexpr HRESULT DSERR_BUFFERLOST = MakeDirectSoundResult(80);
inline constexpr HRESULT DSERR_OTHERAPPHASPRIO = MakeDirectSoundResult(90);
inline constexpr HRESULT DSERR_UNINITIALIZED = MakeDirectSoundResult(100);

static_assert(static_cast<std::uint32_t>(DDERR_SURFACELOST) == 0x887601C2u);
static_assert(static_cast<std::uint32_t>(E_FAIL) == 0x80004005u);
