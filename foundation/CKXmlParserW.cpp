// The UTF-16 XML reader: the shared reading loop on wide units.
#include "foundation/CKXmlParserW.h"

#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CKXmlParserW, CKObject)

int CKXmlDelegatorW::GetOptions()
{
    return 0;
}

CKXmlParserW::CKXmlParserW(CKXmlDelegatorW* delegate) : delegate(delegate)
{
}

int CKXmlParserW::Parse(wchar_t* text, int length)
{
    return KParseXmlT(delegate, text, length);
}

const wchar_t* CKXmlParserW::GetAttribute(const wchar_t* name, const wchar_t* const* attributes)
{
    return KFindAttributeT(name, attributes, &KStrCmpW);
}
