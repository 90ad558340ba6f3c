// CSettingView: the settings page's title button.
#include "app/CSettingView.h"

#include "app/LmPageTable.h"
#include "app/LmStringIds.h"
#include "controls/CKTitle.h"
#include "graphics/CKImage.h"
#include "graphics/KImageCache.h"

K_IMPLEMENT_CLASS(CSettingView, CKView)

namespace {

// "TitleImgList.png": 24 x 24 cells; cell 0 is the back arrow.
const wchar_t TITLE_ICONS[] = L"TitleImgList.png";
constexpr int TITLE_ICON_SIZE = 24;
constexpr int BACK_ICON_CELL = 0;

} // namespace

int CSettingView::OnCreate()
{
    if (!CKView::OnCreate())
        return 0;
    if (title)
        title->SetLeftButtonIcon(IDS_SETTINGS_BACK, KTITLE_BTN_LEFT,
                                 GetImgListByCell(TITLE_ICON_SIZE, TITLE_ICON_SIZE, TITLE_ICONS,
                                                  KIMG_TYPE_PNG, KIMG_AUTO),
                                 BACK_ICON_CELL);
    return 1;
}
