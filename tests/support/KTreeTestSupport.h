// Reading a tree control's items as strings, for the tests of the tree and of the controls built on
// it (the playlist drawer, the folder tree).
#pragma once
#include <string>
#include <vector>

#include "controls/CKTreeCtrl.h"

// The item's text as a string (empty for none).
std::wstring TextOf(const KTreeItem* item);
// The texts of the children of `parent` (none: the root items), in order.
std::vector<std::wstring> ChildTexts(const CKTreeCtrl* tree, const KTreeItem* parent);
