// CKAniListBoxExpand: growing one list item by its button group while another shrinks back.
// Heights go through the list's height setter (-1: the plain row height) with redraw suspended
// around each change, so that the list lays itself out once per step.
#include "controls/CKAniListBoxExpand.h"

#include "controls/CKListBox.h"

K_IMPLEMENT_CLASS(CKAniListBoxExpand, CKAnimate)

CKAniListBoxExpand::CKAniListBoxExpand(CKListBox* list) : CKAnimate(list) {}

CKListBox* CKAniListBoxExpand::GetList() const
{
    return static_cast<CKListBox*>(window);
}

void CKAniListBoxExpand::SetNew(int index)
{
    CKListBox* list = GetList();
    newIndex = list && list->GetItem(index) ? index : -1;
    newExtra = list ? list->GetButtonsHeight(newIndex) : 0;
    if (newIndex >= 0 && newIndex == oldIndex)
        oldIndex = -1;   // an item expanding again is not also collapsing
}

void CKAniListBoxExpand::SetOld(int index)
{
    CKListBox* list = GetList();
    oldIndex = list && list->GetItem(index) ? index : -1;
    oldExtra = list ? list->GetButtonsHeight(oldIndex) : 0;
    if (oldIndex == newIndex)
        oldIndex = -1;
}

void CKAniListBoxExpand::OnBegin()
{
    CKListBox* list = GetList();
    if (!list || newIndex < 0)
        return;
    const int plain = list->GetDefaultItemHeight();
    const bool wasOn = list->SuspendRedraw();
    // The final layout tells where the list has to scroll.
    list->SetItemHeight(newIndex, plain + newExtra);
    list->SetItemHeight(oldIndex, -1);
    list->RecalcItems();
    const KListItem* item = list->GetItem(newIndex);
    RECT rect, client;
    list->GetScrollPos(nullptr, &scrollFrom);
    scrollTo = scrollFrom;
    if (list->GetItemRect(newIndex, &rect) && list->GetClientRect(&client)) {
        if (rect.top < client.top)
            scrollTo = item->y;
        else if (rect.bottom > client.bottom)
            scrollTo = item->y - (client.bottom - client.top - item->height);
    }
    // The start state.
    list->GetItem(newIndex)->flags |= KLI_EXPANDED;
    list->SetItemHeight(newIndex, -1);
    list->SetItemHeight(oldIndex, plain + oldExtra);
    list->ResumeRedraw(wasOn);
}

void CKAniListBoxExpand::OnStep(int permille)
{
    CKListBox* list = GetList();
    if (!list || (newIndex < 0 && oldIndex < 0))
        return;
    const int plain = list->GetDefaultItemHeight();
    const bool wasOn = list->SuspendRedraw();
    if (newIndex >= 0)
        list->SetItemHeight(newIndex, plain + Interpolate(0, newExtra, permille));
    if (oldIndex >= 0)
        list->SetItemHeight(oldIndex, plain + Interpolate(oldExtra, 0, permille));
    list->ResumeRedraw(wasOn);
    if (scrollFrom != scrollTo)
        list->ScrollTo(0, Interpolate(scrollFrom, scrollTo, permille));
}

void CKAniListBoxExpand::OnEnd()
{
    CKListBox* list = GetList();
    if (!list)
        return;
    const bool wasOn = list->SuspendRedraw();
    if (KListItem* item = list->GetItem(newIndex)) {
        item->flags |= KLI_EXPANDED;
        list->SetItemHeight(newIndex, list->GetDefaultItemHeight() + newExtra);
    }
    if (KListItem* old = list->GetItem(oldIndex)) {
        old->flags &= ~KLI_EXPANDED;
        list->SetItemHeight(oldIndex, -1);
    }
    list->ResumeRedraw(wasOn);
    if (scrollFrom != scrollTo)
        list->ScrollTo(0, scrollTo);
    list->expandedIndex = newIndex;
}
