// CKAniListBoxExpand: the list box's expansion motion. The newly expanded item grows by the
// height of its button group while the previously expanded one shrinks back to a plain row, the
// list scrolling so that the new item shows; it ends in the state Expand(index, 0) gives.
#pragma once
#include "ui/CKAnimate.h"

class CKListBox;

class CKAniListBoxExpand : public CKAnimate
{
    K_DECLARE_CLASS(CKAniListBoxExpand)
public:
    explicit CKAniListBoxExpand(CKListBox* list);

    // The item that expands (-1: none), with its button group's height.
    void SetNew(int index);
    // The item that collapses (-1: none), with its button group's height.
    void SetOld(int index);

    // Finds the scroll target from the final layout, then sets the start state: the new item
    // expanded at its plain height, the old one still at its full height.
    void OnBegin() override;
    // Both heights and the scroll position interpolated.
    void OnStep(int permille) override;
    // The final heights and flags, the scroll target, and the list's expanded index.
    void OnEnd() override;

private:
    // The animated list box, or none once it let go.
    CKListBox* GetList() const;

    int scrollFrom = 0;
    int scrollTo = 0;
    int newIndex = -1;
    int newExtra = 0;
    int oldIndex = -1;
    int oldExtra = 0;
};
