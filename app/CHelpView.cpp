// CHelpView: the help page's title button gets its icon; the rest is the view's.
#include "app/CHelpView.h"

#include "app/LmPageTable.h"
#include "app/LmStringIds.h"
#include "controls/CKTitle.h"
#include "graphics/CKImage.h"
#include "graphics/KImageCache.h"

K_IMPLEMENT_CLASS(CHelpView, CKView)

namespace {

// The title icons: 24 x 24 cells of "TitleImgList.png"; cell 0 is the back arrow.
constexpr int TITLE_ICON_SIZE = 24;
constexpr int BACK_ARROW_CELL = 0;

} // namespace

int CHelpView::OnCreate()
{
    if (!CKView::OnCreate())
        return 0;
    CKTitle* bar = GetTitle();
    if (bar && bar->GetLeftCmd() == IDS_HELP_BACK) {
        CKImgList* icons = GetImgListByCell(TITLE_ICON_SIZE, TITLE_ICON_SIZE, L"TitleImgList.png",
                                            KIMG_TYPE_PNG, KIMG_AUTO);
        bar->SetLeftButtonIcon(IDS_HELP_BACK, KTITLE_BTN_LEFT, icons, BACK_ARROW_CELL);
    }
    return 1;
}
