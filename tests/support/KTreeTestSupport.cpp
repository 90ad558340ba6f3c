// Reading a tree control's items as strings.
#include "KTreeTestSupport.h"

std::wstring TextOf(const KTreeItem* item)
{
    return item && item->text ? std::wstring(item->text, (size_t)item->textLength)
                              : std::wstring();
}

std::vector<std::wstring> ChildTexts(const CKTreeCtrl* tree, const KTreeItem* parent)
{
    std::vector<std::wstring> texts;
    for (KTreeItem* child = tree->GetFirstChild(parent); child;
         child = tree->GetNextSibling(child))
        texts.push_back(TextOf(child));
    return texts;
}
