// The shuffle's random numbers: a linear congruential generator over one process-wide state.
#include "media/KRandom.h"

#include <windows.h>

namespace {
constexpr unsigned int MULTIPLIER = 214013;
constexpr unsigned int INCREMENT = 2531011;
// The draw keeps 15 bits of the state, from bit 16 up.
constexpr int DRAW_SHIFT = 16;
constexpr unsigned int DRAW_MASK = 0x7FFF;

// Unsigned, so the step wraps modulo 2^32.
unsigned int g_randomState = 0;
} // namespace

void KInitRandom()
{
    KSeedRandom(GetTickCount());
}

void KSeedRandom(unsigned int seed)
{
    g_randomState = seed;
}

int KRandom()
{
    g_randomState = g_randomState * MULTIPLIER + INCREMENT;
    return (int)((g_randomState >> DRAW_SHIFT) & DRAW_MASK);
}
