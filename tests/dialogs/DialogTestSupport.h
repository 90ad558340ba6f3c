// Helpers of the dialog tests: an owner window that records every notification a dialog sends, and
// a fixture that shows a page for the dialogs to cover and checks that each test leaves the view
// stack as it found it.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "KViewTestSupport.h"
#include "dialogs/CKDialog.h"

// One notification: the dialog id, the code, and the param (for outcomes after a button of an
// input box, the text it pointed to).
struct KDlgNotice
{
    int id;
    int code;
    INT_PTR param;
    std::wstring text;
};

// The owner of the tests' dialogs. It has no window: dialogs only call its OnNotify.
class CDialogOwner : public CKWindow
{
public:
    int OnNotify(int notifyId, int code, INT_PTR param) override;
    // The recorded codes, in order.
    std::vector<int> Codes() const;
    // The last notification with that code; none when there is none.
    const KDlgNotice* Find(int code) const;

    std::vector<KDlgNotice> notices;
    // Outcome params are texts (input boxes): they are copied while valid.
    bool textOutcomes = false;
};

class DialogTest : public ::testing::Test
{
protected:
    // A shown page 3000 under the dialogs.
    void SetUp() override;
    // Every dialog must be gone: only the page is left on the stack.
    void TearDown() override;

    // The current view as a dialog (none when it is not one).
    static CKDialog* CurrentDialog();
    // The box of the current dialog in its client coordinates.
    static RECT Box();
    // A window's rectangle (frame included) in the client coordinates of `dialog`.
    static RECT RectIn(CKWindow* window, CKDialog* dialog);
    // Pumps until the owner has a notification with `code`.
    bool WaitFor(int code, int timeoutMs = 2000);

    CTestPage* page = nullptr;
    CDialogOwner owner;
};
