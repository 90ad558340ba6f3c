// Clock, figures and peak memory for the benchmark programs.
#include "KBench.h"

#include <psapi.h>

#include <cstdio>

#include "ui/KLibrary.h"

KBenchLibrary::KBenchLibrary()
{
    KInitLibrary(GetModuleHandleW(nullptr));
}

KBenchLibrary::~KBenchLibrary()
{
    KTermLibrary();
}

double NowMs()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

void PrintFigure(const char* what, double value, const char* unit)
{
    printf("  %-58s %10.3f %s\n", what, value, unit);
    fflush(stdout);
}

double PeakMemoryMiB()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return (double)counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}
