// Start-up and shut-down of the whole library, module by module, in one fixed order.
#pragma once
#include <windows.h>

// One module's start-up step.
struct KStartupStep
{
    const char* module;
    void (*run)(HINSTANCE instance);
};

// One module's shut-down step.
struct KShutdownStep
{
    const char* module;
    void (*run)();
};

// Runs every module's start-up step; called once by the process entry before anything else.
void KInitLibrary(HINSTANCE instance);
// Runs every module's shut-down step; called once after the application object is gone.
void KTermLibrary();

// The step tables in the order they run (for diagnostics and tests); `count` receives their length.
const KStartupStep* GetStartupSteps(int* count);
const KShutdownStep* GetShutdownSteps(int* count);
