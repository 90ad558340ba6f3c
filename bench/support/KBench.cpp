// Clock, figures and peak memory for the benchmark programs.
#include "KBench.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "media/KLibrary.h"

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

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Spread(const std::vector<double>& values)
{
    if (values.empty())
        return 0;
    const auto range = std::minmax_element(values.begin(), values.end());
    return *range.second - *range.first;
}
