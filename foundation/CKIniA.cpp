// CKIniA: release of the narrow INI storage.
#include "foundation/CKIniA.h"

#include "foundation/KIniStorage.h"

K_IMPLEMENT_CLASS(CKIniA, CKObject)

CKIniA::~CKIniA()
{
    Clear();
}

void CKIniA::Clear()
{
    KFreeIniSections(sections);
}
