// List playback choices; shuffled rows come from the process-wide generator (media/KRandom.h).
#include "media/KPlayOrder.h"

#include "media/KRandom.h"

namespace {
int RandomRow(int count)
{
    return KRandom() % count;
}
} // namespace

int KNextRow(int count, int playing, int loopType, int selectedIsPlaying)
{
    if (count <= 0)
        return KROW_EMPTY;
    int cur = selectedIsPlaying ? playing : -1;
    switch (loopType) {
    case KLOOP_ONCE:
        if (cur < 0)
            return 0;
        return cur < count - 1 ? cur + 1 : KROW_NONE;
    case KLOOP_ALL:
        return cur >= 0 && cur < count - 1 ? cur + 1 : 0;
    case KLOOP_SHUFFLE:
        return RandomRow(count);
    default:
        return KROW_NONE;
    }
}

int KPreviousRow(int count, int playing, int loopType, int selectedIsPlaying)
{
    if (count <= 0)
        return KROW_EMPTY;
    int cur = selectedIsPlaying ? playing : -1;
    switch (loopType) {
    case KLOOP_ONCE:
        if (cur < 0)
            return 0;
        if (cur == 0)
            return KROW_NONE;
        return cur < count ? cur - 1 : count - 1;
    case KLOOP_ALL:
        return cur >= 1 && cur < count ? cur - 1 : count - 1;
    case KLOOP_SHUFFLE:
        return RandomRow(count);
    default:
        return KROW_NONE;
    }
}

int KGivenRow(int count, int row, int playing, int loopType, int selectedIsPlaying)
{
    if (count <= 0)
        return KROW_EMPTY;
    int index = row;
    if (index < 0)
        index = selectedIsPlaying ? playing : -1;
    if (index < 0 || index >= count)
        index = loopType == KLOOP_SHUFFLE ? RandomRow(count) : 0;
    return index;
}

int KNextLoopType(int loopType)
{
    int next = loopType + 1;
    return next > KLOOP_SHUFFLE || next < KLOOP_ONCE ? KLOOP_ONCE : next;
}
