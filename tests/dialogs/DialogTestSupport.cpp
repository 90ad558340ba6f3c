// The recording owner and the page fixture of the dialog tests.
#include "DialogTestSupport.h"

#include "KTestSupport.h"
#include "ui/CKApplication.h"

int CDialogOwner::OnNotify(int notifyId, int code, INT_PTR param)
{
    KDlgNotice notice = {notifyId, code, param, std::wstring()};
    if (textOutcomes && code >= KDLG_CANCEL && code <= KDLG_BUTTON3 && param)
        notice.text = (const wchar_t*)param;
    notices.push_back(notice);
    return 1;
}

std::vector<int> CDialogOwner::Codes() const
{
    std::vector<int> codes;
    for (const KDlgNotice& notice : notices)
        codes.push_back(notice.code);
    return codes;
}

const KDlgNotice* CDialogOwner::Find(int code) const
{
    for (auto it = notices.rbegin(); it != notices.rend(); ++it)
        if (it->code == code)
            return &*it;
    return nullptr;
}

void DialogTest::SetUp()
{
    EnsureTestFrame();
    SetPageLookup(TestPageLookup);
    page = AddTestPage(3000, 0, nullptr);
    ASSERT_EQ(ShowView(page), 1);
}

void DialogTest::TearDown()
{
    PumpLikeLoopUntil([] { return GetViewStackDepth() == 1; }, 2000);
    EXPECT_EQ(GetCurrentView(), page) << "a dialog was left open";
    EXPECT_TRUE(page->IsEnabled());
    RunPostedLikeLoop();
    PumpMessagesFor(30);   // outcomes still on their way
    DestroyPages();
}

CKDialog* DialogTest::CurrentDialog()
{
    CKView* view = GetCurrentView();
    return view && view->IsKindOf(K_RUNTIME_CLASS(CKDialog)) ? (CKDialog*)view : nullptr;
}

RECT DialogTest::Box()
{
    CKDialog* dialog = CurrentDialog();
    return dialog && dialog->GetFrame() ? dialog->GetFrame()->rect : RECT{0, 0, 0, 0};
}

RECT DialogTest::RectIn(CKWindow* window, CKDialog* dialog)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window->GetHwnd(), &rect);
    MapWindowPoints(nullptr, dialog->GetHwnd(), (POINT*)&rect, 2);
    return rect;
}

bool DialogTest::WaitFor(int code, int timeoutMs)
{
    return PumpLikeLoopUntil([&] { return owner.Find(code) != nullptr; }, timeoutMs);
}
