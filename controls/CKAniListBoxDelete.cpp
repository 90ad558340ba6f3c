// CKAniListBoxDelete: sliding a list row aside and collapsing a removed one.
#include "controls/CKAniListBoxDelete.h"

#include "controls/CKListBox.h"

K_IMPLEMENT_CLASS(CKAniListBoxDelete, CKAnimate)

CKAniListBoxDelete::CKAniListBoxDelete(CKListBox* list) : CKAnimate(list) {}

CKListBox* CKAniListBoxDelete::GetList() const
{
    return static_cast<CKListBox*>(window);
}

void CKAniListBoxDelete::SetRemove(int item)
{
    removeMode = 1;
    index = item;
}

void CKAniListBoxDelete::SetSlide(int item, int slideFrom, int slideTo)
{
    removeMode = 0;
    index = item;
    from = slideFrom;
    to = slideTo;
}

void CKAniListBoxDelete::OnBegin()
{
    CKListBox* list = GetList();
    if (!list)
        return;
    if (!removeMode) {
        list->SetSlideOffset(index, from);
        return;
    }
    const KListItem* item = list->GetItem(index);
    startHeight = item ? item->height : 0;
}

void CKAniListBoxDelete::OnStep(int permille)
{
    CKListBox* list = GetList();
    if (!list)
        return;
    if (!removeMode) {
        list->SetSlideOffset(index, Interpolate(from, to, permille));
        return;
    }
    KListItem* item = list->GetItem(index);
    if (!item)
        return;
    const int height = Interpolate(startHeight, 0, permille);
    const int lost = item->height - height;
    item->height = height;
    const int count = list->GetCount();
    for (int i = index + 1; i < count; i++)
        list->GetItem(i)->y -= lost;
    list->contentHeight -= lost;
    // Setting the shorter extent clamps the position into the new range.
    list->SetScrollExtent(-1, list->contentHeight);
    list->Invalidate();
}

void CKAniListBoxDelete::OnEnd()
{
    CKListBox* list = GetList();
    if (!list)
        return;
    if (removeMode)
        list->RemoveBySwipe(index);
    else
        list->SetSlideOffset(index, to);
}
