// Shared by the benchmark programs: a clock, figures printed in one format, peak memory, and the
// library started as the program starts it.
#pragma once
#include <windows.h>

#include <vector>

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
// The median of repeated measurements (0 for none), and their spread: largest minus smallest.
double Median(std::vector<double> values);
double Spread(const std::vector<double>& values);
