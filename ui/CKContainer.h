// CKContainer: the base of every page's content (below the view's title) and of the dialogs'
// content: a window that belongs to one view and paints a background by the screen's orientation.
// The view does not hold a reference on it (views embed or own their container); the container
// knows its view without one while its window exists.
#pragma once
#include "ui/CKWindow.h"

class CKView;

class CKContainer : public CKWindow
{
    K_DECLARE_CLASS(CKContainer)
public:
    CKContainer() = default;
    // Releases both backgrounds.
    ~CKContainer() override;

    // ---- CKWindow slots ----
    // After the base: the backgrounds not set before, "DefContainerBkgnd" of
    // "res/DrawableView.xml", else "DefContainerBkgndVert" / "DefContainerBkgndHorz".
    void Initialize(unsigned int style) override;
    // Forgets the view, then the base.
    void OnDestroy() override;
    // The background of the orientation (0, 1: portrait; 2, 3: landscape; others: none) with
    // state 0 over the client area.
    void OnPaint(CKCanvas* canvas) override;

    // ---- Container slots ----
    // Belongs to `view` and creates its window under it, with the view's id and `flags` plus
    // KWF_CONTROLPARENT and KWF_TABSTOP.
    virtual int CreateContainer(CKView* view, unsigned int flags);
    // The back action reaches the container before the view closes; nonzero: handled. The base
    // handles nothing.
    virtual int OnBack();

    CKView* GetView() const { return view; }
    void SetView(CKView* owner) { view = owner; }
    // Face drawables only (one reference); anything else, or none, empties the slot.
    void SetBkgndVert(CKDrawable* drawable);
    void SetBkgndHorz(CKDrawable* drawable);
    CKFaceDrawable* GetBkgndVert() const { return bkgndVert; }
    CKFaceDrawable* GetBkgndHorz() const { return bkgndHorz; }

protected:
    CKView* view = nullptr;                 // borrowed: the owning view
    CKFaceDrawable* bkgndVert = nullptr;    // counted
    CKFaceDrawable* bkgndHorz = nullptr;    // counted
};
