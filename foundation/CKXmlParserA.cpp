// The narrow XML reader: the shared reading loop on bytes, plus whole-file reading.
#include "foundation/CKXmlParserA.h"

#include "foundation/CKFile.h"
#include "foundation/KMemory.h"
#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CKXmlParserA, CKObject)

int CKXmlDelegatorA::GetOptions()
{
    return 0;
}

CKXmlParserA::CKXmlParserA(CKXmlDelegatorA* delegate) : delegate(delegate)
{
}

int CKXmlParserA::Parse(char* text, int length)
{
    return KParseXmlT(delegate, text, length);
}

int CKXmlParserA::ParseFile(const wchar_t* path)
{
    if (!path || !delegate)
        return 0;
    void* data = nullptr;
    int size = 0;
    if (!CKFile::ReadAll(path, &data, &size))
        return 0;
    int result = Parse(static_cast<char*>(data), size);
    KFree(data);
    return result;
}

const char* CKXmlParserA::GetAttribute(const char* name, const char* const* attributes)
{
    return KFindAttributeT(name, attributes, &KStrCmpA);
}

int LoadXml(CKXmlDelegatorA* delegate, const wchar_t* path)
{
    CKXmlParserA parser(delegate);
    return parser.ParseFile(path);
}
