// List boxes of numbered rows, drags, animations and notifications for the list box tests.
#include "ListBoxTestSupport.h"

#include <string>

#include "KTestSupport.h"
#include "controls/CKListBox.h"

CKListBox* MakeList(KControlScope& scope, CNoticeHost* host, unsigned int style, int rows,
                    unsigned int itemFlags)
{
    CKListBox* list = scope.Add(new CKListBox(), host, style, LIST_FLAGS,
                                RECT{0, 0, LIST_WIDTH, LIST_HEIGHT}, LIST_ID);
    if (!list)
        return nullptr;
    for (int i = 0; i < rows; i++) {
        const int index = list->AddItem(itemFlags);
        const std::wstring text = L"Row " + std::to_wstring(i);
        list->SetItemText(index, text.c_str(), -1, nullptr, 0);
        list->SetItemData(index, i);
    }
    return list;
}

void Drag(CKWindow* window, POINT press, const std::vector<POINT>& points)
{
    PostMouse(window, WM_LBUTTONDOWN, press.x, press.y);
    POINT last = press;
    for (const POINT& point : points) {
        PostMouse(window, WM_MOUSEMOVE, point.x, point.y);
        last = point;
    }
    PostMouse(window, WM_LBUTTONUP, last.x, last.y);
    DeliverPosted();
}

bool WaitForAnimation(CKWindow* window)
{
    return PumpUntil([window] { return window->GetAnimation() == nullptr; }, 3000);
}

std::vector<KNotice> Reports(const CNoticeHost* host)
{
    std::vector<KNotice> reports;
    for (const KNotice& notice : host->notices)
        if (notice.code != KNOTIFY_FOCUSED && notice.code != KNOTIFY_UNFOCUSED)
            reports.push_back(notice);
    return reports;
}

std::vector<int> Codes(const CNoticeHost* host)
{
    std::vector<int> codes;
    for (const KNotice& notice : Reports(host))
        codes.push_back(notice.code);
    return codes;
}

std::vector<long long> ItemData(const CKListBox* list)
{
    std::vector<long long> data;
    for (int i = 0; i < list->GetCount(); i++)
        data.push_back((long long)list->GetItemData(i));
    return data;
}

int ScrollY(const CKWindow* window)
{
    int y = 0;
    window->GetScrollPos(nullptr, &y);
    return y;
}
