// CLumoApp: the music player's application object.
#include "app/CLumoApp.h"

#include "app/LmPageTable.h"
#include "ui/CKStartupView.h"
#include "ui/CKView.h"

K_IMPLEMENT_CLASS(CLumoApp, CKApplication)

namespace {

// The page table as the view system reads it.
int LookupPageRow(int viewId, KPageEntry* entry)
{
    const KPageRow* row = FindPageRow(viewId);
    if (!row)
        return 0;
    entry->flags = row->flags;
    entry->leftTextId = row->leftTextId;
    entry->leftStyle = row->leftStyle;
    entry->rightTextId = row->rightTextId;
    entry->rightStyle = row->rightStyle;
    return 1;
}

} // namespace

CLumoApp::CLumoApp(HINSTANCE instance, const wchar_t* commandLine)
    : CKApplication(instance, commandLine)
{
    SetPageLookup(LookupPageRow);
}

int CLumoApp::InitInstance()
{
    if (!CKApplication::InitInstance())
        return 0;
    if (!CreateStartupView(IDS_PAGE_PLAYER))
        CreatePages();
    ShowPage(IDS_PAGE_PLAYER);
    return 1;
}

void CLumoApp::ExitInstance()
{
    DestroyPages();
    CKApplication::ExitInstance();
}

void CLumoApp::CreatePages()
{
    CKApplication::CreatePages();
    CKView* player = new CKView();
    if (!player)
        return;
    player->EnableRefCount();
    player->Initialize(0);
    player->InitView(0, IDS_PAGE_PLAYER);
    AddPage(player);
}
