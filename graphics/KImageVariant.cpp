// Density variant search for image file names.
#include "graphics/KImageVariant.h"

#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "foundation/KText.h"
#include "graphics/CKImage.h"

namespace {

struct KVariant
{
    const wchar_t* suffix;
    unsigned int flag;
};

const KVariant PLAIN = {L"", KIMG_LD};
const KVariant MD = {L"MD", KIMG_MD};
const KVariant MD_DASH = {L"-md", KIMG_MD};
const KVariant HD = {L"HD", KIMG_HD};
const KVariant HD_DASH = {L"-hd", KIMG_HD};
const KVariant XHD = {L"XHD", KIMG_XHD};
const KVariant XHD_DASH = {L"-xhd", KIMG_XHD};
const KVariant XXHD = {L"XXHD", KIMG_XXHD};
const KVariant XXHD_DASH = {L"-xxhd", KIMG_XXHD};

constexpr int VARIANT_COUNT = 9;

const KVariant* const ORDER_LD[VARIANT_COUNT] = {&PLAIN, &MD, &MD_DASH, &HD, &HD_DASH,
                                                 &XHD, &XHD_DASH, &XXHD, &XXHD_DASH};
const KVariant* const ORDER_MD[VARIANT_COUNT] = {&MD, &MD_DASH, &HD, &HD_DASH, &PLAIN,
                                                 &XHD, &XHD_DASH, &XXHD, &XXHD_DASH};
const KVariant* const ORDER_HD[VARIANT_COUNT] = {&HD, &HD_DASH, &XHD, &XHD_DASH, &XXHD,
                                                 &XXHD_DASH, &MD, &MD_DASH, &PLAIN};
const KVariant* const ORDER_XHD[VARIANT_COUNT] = {&XHD, &XHD_DASH, &XXHD, &XXHD_DASH, &HD,
                                                  &HD_DASH, &MD, &MD_DASH, &PLAIN};
const KVariant* const ORDER_XXHD[VARIANT_COUNT] = {&XXHD, &XXHD_DASH, &XHD, &XHD_DASH, &HD,
                                                   &HD_DASH, &MD, &MD_DASH, &PLAIN};

const KVariant* const* OrderFor(int density)
{
    if (density <= 2)
        return ORDER_LD;
    if (density == 3)
        return ORDER_MD;
    if (density == 4)
        return ORDER_HD;
    if (density <= 6)
        return ORDER_XHD;
    return ORDER_XXHD;
}

} // namespace

unsigned int FindVariant(wchar_t* name, int capacity, KVariantExistsProc exists)
{
    // The '.' must be in the file name itself, not in a folder above it.
    const int dot = KStrRChrW(name, L'.');
    if (dot < 0 || dot < KStrRChrW(name, L'\\') || dot < KStrRChrW(name, L'/'))
        return 0;
    const int length = KStrLenW(name);
    wchar_t candidate[KMAX_PATH];
    const KVariant* const* order = OrderFor(GetDevMetric(Density));
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        const int suffixLength = KStrLenW(order[i]->suffix);
        if (length + suffixLength >= capacity || length + suffixLength >= KMAX_PATH)
            continue;
        KStrNCpyW(candidate, name, dot);
        KStrCpyW(candidate + dot, order[i]->suffix);
        KStrCpyW(candidate + dot + suffixLength, name + dot);
        if (exists(candidate)) {
            KStrCpyW(name, candidate);
            return order[i]->flag;
        }
    }
    return 0;
}
