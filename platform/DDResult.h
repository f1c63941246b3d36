// DirectDraw result codes: our own enum, with the values and names the game's
// code and its error box use. Names print through DD_Result_Name. Each
// result is listed once, below; the enum, the names and the error box's
// table are all made from these lists.
#pragma once
#include "platform/Win32Types.h"

constexpr HRESULT Make_DD_Result(int code) { return static_cast<HRESULT>(0x88760000u | static_cast<unsigned>(code)); }

// X(name, value) for every DirectDraw error, in the order the error box's
// table lists them.
#define ORVEX_DD_REPORTED_RESULTS(X)                           \
    X(DDERR_ALREADYINITIALIZED, Make_DD_Result(5))             \
    X(DDERR_CANNOTATTACHSURFACE, Make_DD_Result(10))           \
    X(DDERR_CANNOTDETACHSURFACE, Make_DD_Result(20))           \
    X(DDERR_CURRENTLYNOTAVAIL, Make_DD_Result(40))             \
    X(DDERR_EXCEPTION, Make_DD_Result(55))                     \
    X(DDERR_GENERIC, E_FAIL)                                   \
    X(DDERR_HEIGHTALIGN, Make_DD_Result(90))                   \
    X(DDERR_INCOMPATIBLEPRIMARY, Make_DD_Result(95))           \
    X(DDERR_INVALIDCAPS, Make_DD_Result(100))                  \
    X(DDERR_INVALIDCLIPLIST, Make_DD_Result(110))              \
    X(DDERR_INVALIDMODE, Make_DD_Result(120))                  \
    X(DDERR_INVALIDOBJECT, Make_DD_Result(130))                \
    X(DDERR_INVALIDPARAMS, E_INVALIDARG)                       \
    X(DDERR_INVALIDPIXELFORMAT, Make_DD_Result(145))           \
    X(DDERR_INVALIDRECT, Make_DD_Result(150))                  \
    X(DDERR_LOCKEDSURFACES, Make_DD_Result(160))               \
    X(DDERR_NO3D, Make_DD_Result(170))                         \
    X(DDERR_NOALPHAHW, Make_DD_Result(180))                    \
    X(DDERR_NOCLIPLIST, Make_DD_Result(205))                   \
    X(DDERR_NOCOLORCONVHW, Make_DD_Result(210))                \
    X(DDERR_NOCOOPERATIVELEVELSET, Make_DD_Result(212))        \
    X(DDERR_NOCOLORKEY, Make_DD_Result(215))                   \
    X(DDERR_NOCOLORKEYHW, Make_DD_Result(220))                 \
    X(DDERR_NODIRECTDRAWSUPPORT, Make_DD_Result(222))          \
    X(DDERR_NOEXCLUSIVEMODE, Make_DD_Result(225))              \
    X(DDERR_NOFLIPHW, Make_DD_Result(230))                     \
    X(DDERR_NOGDI, Make_DD_Result(240))                        \
    X(DDERR_NOMIRRORHW, Make_DD_Result(250))                   \
    X(DDERR_NOTFOUND, Make_DD_Result(255))                     \
    X(DDERR_NOOVERLAYHW, Make_DD_Result(260))                  \
    X(DDERR_NORASTEROPHW, Make_DD_Result(280))                 \
    X(DDERR_NOROTATIONHW, Make_DD_Result(290))                 \
    X(DDERR_NOSTRETCHHW, Make_DD_Result(310))                  \
    X(DDERR_NOT4BITCOLOR, Make_DD_Result(316))                 \
    X(DDERR_NOT4BITCOLORINDEX, Make_DD_Result(317))            \
    X(DDERR_NOT8BITCOLOR, Make_DD_Result(320))                 \
    X(DDERR_NOTEXTUREHW, Make_DD_Result(330))                  \
    X(DDERR_NOVSYNCHW, Make_DD_Result(335))                    \
    X(DDERR_NOZBUFFERHW, Make_DD_Result(340))                  \
    X(DDERR_NOZOVERLAYHW, Make_DD_Result(350))                 \
    X(DDERR_OUTOFCAPS, Make_DD_Result(360))                    \
    X(DDERR_OUTOFMEMORY, E_OUTOFMEMORY)                        \
    X(DDERR_OUTOFVIDEOMEMORY, Make_DD_Result(380))             \
    X(DDERR_OVERLAYCANTCLIP, Make_DD_Result(382))              \
    X(DDERR_OVERLAYCOLORKEYONLYONEACTIVE, Make_DD_Result(384)) \
    X(DDERR_PALETTEBUSY, Make_DD_Result(387))                  \
    X(DDERR_COLORKEYNOTSET, Make_DD_Result(400))               \
    X(DDERR_SURFACEALREADYATTACHED, Make_DD_Result(410))       \
    X(DDERR_SURFACEALREADYDEPENDENT, Make_DD_Result(420))      \
    X(DDERR_SURFACEISOBSCURED, Make_DD_Result(440))            \
    X(DDERR_SURFACENOTATTACHED, Make_DD_Result(460))           \
    X(DDERR_TOOBIGHEIGHT, Make_DD_Result(470))                 \
    X(DDERR_TOOBIGSIZE, Make_DD_Result(480))                   \
    X(DDERR_TOOBIGWIDTH, Make_DD_Result(490))                  \
    X(DDERR_UNSUPPORTED, E_NOTIMPL)                            \
    X(DDERR_UNSUPPORTEDFORMAT, Make_DD_Result(510))            \
    X(DDERR_UNSUPPORTEDMASK, Make_DD_Result(520))              \
    X(DDERR_VERTICALBLANKINPROGRESS, Make_DD_Result(537))      \
    X(DDERR_WASSTILLDRAWING, Make_DD_Result(540))              \
    X(DDERR_XALIGN, Make_DD_Result(560))                       \
    X(DDERR_INVALIDDIRECTDRAWGUID, Make_DD_Result(561))        \
    X(DDERR_DIRECTDRAWALREADYCREATED, Make_DD_Result(562))     \
    X(DDERR_NODIRECTDRAWHW, Make_DD_Result(563))               \
    X(DDERR_PRIMARYSURFACEALREADYEXISTS, Make_DD_Result(564))  \
    X(DDERR_NOEMULATION, Make_DD_Result(565))                  \
    X(DDERR_REGIONTOOSMALL, Make_DD_Result(566))               \
    X(DDERR_CLIPPERISUSINGHWND, Make_DD_Result(567))           \
    X(DDERR_NOCLIPPERATTACHED, Make_DD_Result(568))            \
    X(DDERR_NOHWND, Make_DD_Result(569))                       \
    X(DDERR_HWNDSUBCLASSED, Make_DD_Result(570))               \
    X(DDERR_HWNDALREADYSET, Make_DD_Result(571))               \
    X(DDERR_NOPALETTEATTACHED, Make_DD_Result(572))            \
    X(DDERR_NOPALETTEHW, Make_DD_Result(573))                  \
    X(DDERR_BLTFASTCANTCLIP, Make_DD_Result(574))              \
    X(DDERR_NOBLTHW, Make_DD_Result(575))                      \
    X(DDERR_NODDROPSHW, Make_DD_Result(576))                   \
    X(DDERR_OVERLAYNOTVISIBLE, Make_DD_Result(577))            \
    X(DDERR_NOOVERLAYDEST, Make_DD_Result(578))                \
    X(DDERR_INVALIDPOSITION, Make_DD_Result(579))              \
    X(DDERR_NOTAOVERLAYSURFACE, Make_DD_Result(580))           \
    X(DDERR_EXCLUSIVEMODEALREADYSET, Make_DD_Result(581))      \
    X(DDERR_NOTFLIPPABLE, Make_DD_Result(582))                 \
    X(DDERR_CANTDUPLICATE, Make_DD_Result(583))                \
    X(DDERR_NOTLOCKED, Make_DD_Result(584))                    \
    X(DDERR_CANTCREATEDC, Make_DD_Result(585))                 \
    X(DDERR_WRONGMODE, Make_DD_Result(587))                    \
    X(DDERR_IMPLICITLYCREATED, Make_DD_Result(588))            \
    X(DDERR_NOTPALETTIZED, Make_DD_Result(589))                \
    X(DDERR_UNSUPPORTEDMODE, Make_DD_Result(590))

// The errors the error box has no row for: lost and busy surfaces.
#define ORVEX_DD_UNREPORTED_RESULTS(X)            \
    X(DDERR_SURFACEBUSY, Make_DD_Result(430))     \
    X(DDERR_CANTLOCKSURFACE, Make_DD_Result(435)) \
    X(DDERR_SURFACELOST, Make_DD_Result(450))     \
    X(DDERR_NODC, Make_DD_Result(586))

#define ORVEX_DD_ENUMERATOR(name, value) name = value,
enum DDResult : HRESULT {
    DD_OK = 0,
    DD_FALSE = 1,
    E_FAIL = static_cast<HRESULT>(0x80004005u),
    E_INVALIDARG = static_cast<HRESULT>(0x80070057u),
    E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu),
    E_NOTIMPL = static_cast<HRESULT>(0x80004001u),
    ORVEX_DD_REPORTED_RESULTS(ORVEX_DD_ENUMERATOR) ORVEX_DD_UNREPORTED_RESULTS(ORVEX_DD_ENUMERATOR)
};
#undef ORVEX_DD_ENUMERATOR

// The standard symbolic name of a result, or nullptr for a code without one.
const char* DD_Result_Name(HRESULT result);
