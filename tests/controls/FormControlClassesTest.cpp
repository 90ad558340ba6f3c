// The library's other form controls exist as window classes that can be created by record.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/CKComboBox.h"
#include "controls/CKDatePicker.h"
#include "controls/CKDropdownBox.h"
#include "controls/CKTimePicker.h"

TEST(FormControlClasses, ComboDropDownDateAndTimeControlsAreCreatedByRecordAsWindows)
{
    KControlScope scope;
    CNoticeHost* host = scope.AddHost();
    ASSERT_TRUE(host);
    const KRuntimeClass* records[] = {K_RUNTIME_CLASS(CKComboBox), K_RUNTIME_CLASS(CKDropdownBox),
                                      K_RUNTIME_CLASS(CKDatePicker),
                                      K_RUNTIME_CLASS(CKTimePicker)};
    int id = 1;
    for (const KRuntimeClass* record : records) {
        CKObject* object = CKObject::CreateObject(record);
        ASSERT_TRUE(object) << record->name;
        EXPECT_EQ(object->GetRuntimeClass(), record);
        ASSERT_TRUE(object->IsKindOf(K_RUNTIME_CLASS(CKWindow)));
        CKWindow* window = static_cast<CKWindow*>(object);
        ASSERT_TRUE(scope.Add(window, host, 0, 0, RECT{0, 0, 100, 30}, id++)) << record->name;
        EXPECT_TRUE(IsWindow(window->GetHwnd()));
    }
    // The window procedure lets the combo box have the arrow keys.
    CKWindow* combo = host->GetFirstChild();
    ASSERT_TRUE(combo && combo->IsKindOf(K_RUNTIME_CLASS(CKComboBox)));
    EXPECT_EQ(SendMessageW(combo->GetHwnd(), WM_GETDLGCODE, 0, 0), (LRESULT)DLGC_WANTARROWS);
}
