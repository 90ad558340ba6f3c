// CKAniListBoxDelete: the list box's swipe-to-delete motion. In slide mode it moves a row
// sideways from one leftward offset to another (opening or closing its delete area); in remove
// mode it collapses the row, pulling the rows below it up, and at the end has the list box send
// KNOTIFY_LB_DELETE and remove the item.
#pragma once
#include "ui/CKAnimate.h"

class CKListBox;

class CKAniListBoxDelete : public CKAnimate
{
    K_DECLARE_CLASS(CKAniListBoxDelete)
public:
    explicit CKAniListBoxDelete(CKListBox* list);

    // Remove mode for the item.
    void SetRemove(int index);
    // Slide mode: from one leftward offset (pixels) to another; 0 is the row in place.
    void SetSlide(int index, int slideFrom, int slideTo);

    // Slide: the row at `from`. Remove: the row's height is remembered.
    void OnBegin() override;
    // Slide: the row at the interpolated offset. Remove: the row shrinks, the rows below follow,
    // and the scroll position drops (not below 0) so that the list stays filled.
    void OnStep(int permille) override;
    // Slide: the row at `to` (in place, and no longer slid, for 0). Remove: KNOTIFY_LB_DELETE, then
    // removal.
    void OnEnd() override;

private:
    // The animated list box, or none once it let go.
    CKListBox* GetList() const;

    int removeMode = 0;
    int index = -1;
    int from = 0;
    int to = 0;
    int startHeight = 0;   // remove mode: the row's height when the collapse began
};
