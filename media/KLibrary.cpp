// The one place that orders the modules' start-up and shut-down steps. A module declares its steps
// in its own header; the order here is part of the design: resources come before anything loads a
// file, the application module fixes ModuleDir before device metrics read "DevMetrics.xml", images
// start GDI+ before drawing does, and shut-down releases drawables before the fonts and images they
// use, and the window class only after every window is gone. The tables sit at the top of the
// library, above every module whose steps they run; the last start-up steps let the controls and
// dialogs fill the hooks the views below them call.
#include "media/KLibrary.h"

#include "controls/CKFileCache.h"
#include "controls/CKTitle.h"
#include "dialogs/CKAlertDialog.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KResource.h"
#include "graphics/KDrawableRegistry.h"
#include "graphics/KGraphics.h"
#include "graphics/KImageCache.h"
#include "media/CKMediaPlayer.h"
#include "media/KRandom.h"
#include "ui/CKApplication.h"
#include "ui/CKWindow.h"
#include "ui/KTimer.h"

namespace {

void StartTimers(HINSTANCE)
{
    KInitTimers();
}

void StartRandom(HINSTANCE)
{
    KInitRandom();
}

void StartDevMetrics(HINSTANCE)
{
    InitDevMetrics();
}

void StartDrawables(HINSTANCE)
{
    KInitDrawables();
}

const KStartupStep STARTUP_STEPS[] = {
    {"resources", KInitResources},     // the module of the string table and "APPRES" resources
    {"application", KInitAppModule},   // frame class, page registry, ModuleDir, AppResDir
    {"timers", StartTimers},
    {"random numbers", StartRandom},   // seeded with the tick count
    {"images", KInitImages},           // the lock, and GDI+ started under it
    {"device metrics", StartDevMetrics},   // presets, then "DevMetrics.xml"
    {"drawing", KInitDrawing},         // GDI+, null pen and brush, back buffer, font cache
    {"windows", KInitWindows},         // the window class "KWndClass"
    {"drawables", StartDrawables},     // the drawable registry
    {"title bars", KInitTitleBars},    // views make their title bars as CKTitle
    {"information alert", KInitInfoAlert},   // what the views' information gesture shows
};

const KShutdownStep SHUTDOWN_STEPS[] = {
    {"drawables", KTermDrawables},     // the shared state box, every drawable, the registry
    {"COM", KTermMediaPlayer},         // CoUninitialize when a media player initialised COM
    {"file list", KTermFileList},      // the extension map of "res/FileExt.ini"
    {"windows", KTermWindowClass},     // "KWndClass" unregistered
    {"drawing", KTermDrawing},         // default objects, fonts, fill buffers, back buffer, GDI+
    {"images", KTermImages},           // image cache, image DCs, GDI+, the lock
    {"timers", KTermTimers},           // the list goes; running system timers are not killed
    {"windows", KResetWindowCapture},  // the press (capture) state forgotten
    {"application", KTermAppModule},   // page registry, frame window
    {"windows", KTermWindows},         // the window tree and the control-border image list
};

} // namespace

void KInitLibrary(HINSTANCE instance)
{
    for (const KStartupStep& step : STARTUP_STEPS)
        step.run(instance);
}

void KTermLibrary()
{
    for (const KShutdownStep& step : SHUTDOWN_STEPS)
        step.run();
}

const KStartupStep* GetStartupSteps(int* count)
{
    *count = (int)(sizeof(STARTUP_STEPS) / sizeof(STARTUP_STEPS[0]));
    return STARTUP_STEPS;
}

const KShutdownStep* GetShutdownSteps(int* count)
{
    *count = (int)(sizeof(SHUTDOWN_STEPS) / sizeof(SHUTDOWN_STEPS[0]));
    return SHUTDOWN_STEPS;
}
