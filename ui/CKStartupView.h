// CKStartupView: the start-up picture, shown as the first page while the application creates its
// real pages. Its first paint starts a wait of KSTARTUP_DELAY_MS; then the application's
// CreatePages runs and the first real page takes over the picture's window (ReplaceStartupView,
// ui/KViewStack.h).
#pragma once
#include "ui/CKView.h"

class CKImage;

// Milliseconds the picture stays after its first paint before the pages are created.
constexpr int KSTARTUP_DELAY_MS = 500;

class CKStartupView : public CKView
{
    K_DECLARE_CLASS(CKStartupView)
public:
    // Takes ownership of `image`.
    explicit CKStartupView(CKImage* image);
    // Deletes the image.
    ~CKStartupView() override;

    // The base; a page-table row of the id with the full-screen flag makes the picture full
    // screen too.
    int InitView(unsigned int flags, int viewId) override;
    // The picture stretched over the client area; the first paint schedules the page switch.
    void OnPaint(CKCanvas* canvas) override;

    bool HasPainted() const { return painted; }

private:
    // The deferred call: CreatePages, then ReplaceStartupView; `view` is the start-up page, held
    // by one reference while the call waits.
    static void Finish(INT_PTR view, INT_PTR, INT_PTR);

    CKImage* image;         // owned: the full picture
    bool painted = false;   // the first paint has happened
};

// Loads "StartupL.png" (landscape) or "Startup.png" as a full image and registers a start-up page
// with it under `viewId` (AddPage); none when the picture cannot be loaded.
CKStartupView* CreateStartupView(int viewId);
