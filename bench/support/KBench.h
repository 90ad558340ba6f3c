// Shared by the benchmark programs: a clock, figures printed in one format, peak memory, and the
// library started as the program starts it.
#pragma once
#include <windows.h>

// Starts the library (KInitLibrary) for the life of the object, like Lumo.exe's entry does.
class KBenchLibrary
{
public:
    KBenchLibrary();
    ~KBenchLibrary();
};

// Milliseconds since an arbitrary start, with sub-millisecond resolution.
double NowMs();
// Prints "  <what>: <value> <unit>" on one line.
void PrintFigure(const char* what, double value, const char* unit);
// Peak working set of the process so far, in MiB.
double PeakMemoryMiB();
