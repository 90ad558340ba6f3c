// The resources module: how library paths name "APPRES" resources, the program's string table as
// the exact UTF-16 code units, and loading strings of any length.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "support/KTestSupport.h"
#include "foundation/KResource.h"
#include "foundation/KString.h"

namespace {

struct KExpectedString
{
    UINT id;
    const wchar_t* text;
};

// The whole table, written as UTF-16 code units so that the source encoding plays no part.
const KExpectedString STRING_TABLE[] = {
    {100, L"Lumo"},
    {3000, L"Lumo"},
    {3001, L"\u83DC\u5355"},
    {3002, L"\u6DFB\u52A0\u6587\u4EF6"},
    {3003, L"\u76EE\u5F55"},
    {3004, L"\u6253\u5F00"},
    {3005, L"\u9009\u9879\u8BBE\u7F6E"},
    {3006, L"\u8FD4\u56DE"},
    {3007, L"\u4F7F\u7528\u5E2E\u52A9"},
    {3008, L"\u8FD4\u56DE"},
    {3009, L"Lumo"},
    {3010, L"Lumo"},
    {3011, L"V1.3"},
    {3012, L"zh-CN"},
    {3013, L"\u786E\u5B9A"},
    {3014, L"\u6DFB\u52A0"},
    {3015, L"\u5220\u9664"},
    {3016, L"\u6E05\u7A7A"},
    {3017, L"\u91CD\u8BD5"},
    {3018, L"\u53D6\u6D88"},
    {3019, L"\u64AD\u653E\u5217\u8868"},
    {3020, L"\u6DFB\u52A0"},
    {3021, L"\u7F16\u8F91"},
    {3022, L"\u5220\u9664"},
    {3023, L"\u6392\u5E8F"},
    {3024, L"\u6309\u6587\u4EF6\u540D\u5347\u5E8F\u6392\u5217"},
    {3025, L"\u6309\u6587\u4EF6\u540D\u964D\u5E8F\u6392\u5217"},
    {3026, L"\u6309\u8868\u6F14\u8005\u5347\u5E8F\u6392\u5217"},
    {3027, L"\u6309\u8868\u6F14\u8005\u964D\u5E8F\u6392\u5217"},
    {3028, L"\u7CFB\u7EDF"},
    {3029, L"\u6E05\u7A7A\u5F53\u524D\u5217\u8868"},
    {3030, L"\u9009\u9879\u8BBE\u7F6E"},
    {3031, L"\u5173\u4E8E\u8F6F\u4EF6"},
    {3032, L"\u5217\u8868\u540D\u79F0\u5DF2\u7ECF\u5B58\u5728\uFF01\u6DFB\u52A0\u5931\u8D25\uFF01"},
    {3033, L"\u5217\u8868\u540D\u79F0\u4E0D\u80FD\u4E3A\u7A7A\uFF01\u6DFB\u52A0\u5931\u8D25\uFF01"},
    {3034, L"\u5217\u8868\u6570\u5DF2\u7ECF\u8FBE\u5230\u6700\u5927\u9650\u5236\uFF0C\u65E0\u6CD5\u6DFB\u52A0\uFF01"},
    {3035, L"\u5217\u8868\u540D\u79F0\u5DF2\u7ECF\u5B58\u5728\uFF01\u4FEE\u6539\u5931\u8D25\uFF01"},
    {3036, L"\u5217\u8868\u540D\u79F0\u4E0D\u80FD\u4E3A\u7A7A\uFF01\u4FEE\u6539\u5931\u8D25\uFF01"},
    {3037, L"\u5C31\u5269\u6700\u540E\u4E00\u4E2A\u5217\u8868\u4E86\uFF0C\u522B\u518D\u5220\u5566\uFF01"},
    {3038, L"\u6587\u4EF6\u4E0D\u5B58\u5728, \u6253\u5F00\u6587\u4EF6\u5931\u8D25!"},
    {3039, L"\u65E0\u6548\u7684\u97F3\u9891\u6587\u4EF6! \u6253\u5F00\u6587\u4EF6\u5931\u8D25!"},
    {3040, L"\u5F53\u524D\u5217\u8868\u4E3A\u7A7A\uFF0C\u6CA1\u6709\u53EF\u4EE5\u64AD\u653E\u7684\u9879\u76EE\uFF01"},
    {3041, L"\u83B7\u53D6\u97F3\u4E50\u4FE1\u606F\u5931\u8D25\uFF01\u65E0\u6548\u7684\u97F3\u9891\u6587\u4EF6\uFF01"},
    {3042, L"\u901A\u7528"},
    {3043, L"\u97F3\u9891\u6587\u4EF6\u6269\u5C55\u540D"},
    {3044, L"\u5141\u8BB8\u6DFB\u52A0\u540C\u540D\u6587\u4EF6"},
    {3045, L"\u5173\u4E8E"},
    {3046, L"\u8BC4\u4EF7"},
    {3047, L"\u8054\u7CFB\u6211\u4EEC"},
    {3048, L"\u4F7F\u7528\u5E2E\u52A9"},
    {3049, L"\u8F6F\u4EF6\u7248\u672C\uFF1A"},
    {3050, L"\u672A\u77E5\u8868\u6F14\u8005"},
    {3051, L"\u672A\u77E5\u4E13\u8F91"},
    {3052, L"\u9ED8\u8BA4\u5217\u8868"},
    {3053, L"\u6DFB\u52A0\u64AD\u653E\u5217\u8868"},
    {3054, L"\u7F16\u8F91\u64AD\u653E\u5217\u8868"},
    {3055, L"\u5220\u9664\u64AD\u653E\u5217\u8868"},
    {3056, L"\u8BF7\u8F93\u5165\u5217\u8868\u540D\u79F0\uFF1A"},
    {3057, L"\u4F60\u786E\u8BA4\u8981\u5220\u9664\u5F53\u524D\u64AD\u653E\u5217\u8868\u5417\uFF1F"},
    {3058, L"\u4F60\u786E\u8BA4\u8981\u6E05\u7A7A\u5F53\u524D\u64AD\u653E\u5217\u8868\u5417\uFF1F"},
    {3059, L"\u5237 \u65B0"},
    {3060, L"\u5168 \u9009"},
    {3061, L"\u53CD \u9009"},
    {3062, L"\u4E0D \u9009"},
    {3063, L"\u4E0A \u7EA7"},
};

} // namespace

TEST(KResource, ResourceNamesReplaceSeparatorsAndIgnoreCase)
{
    wchar_t name[64];
    EXPECT_EQ(20, MakeResourceName(L"res/DrawableCtrl.xml", name, 64));
    EXPECT_STREQ(L"RES_DRAWABLECTRL.XML", name);
    EXPECT_EQ(20, MakeResourceName(L"res\\DrawableCtrl.xml", name, 64));
    EXPECT_STREQ(L"RES_DRAWABLECTRL.XML", name);
    EXPECT_EQ(20, MakeResourceName(L"RES/drawablectrl.XML", name, 64));
    EXPECT_STREQ(L"RES_DRAWABLECTRL.XML", name);
    EXPECT_EQ(18, MakeResourceName(L"HelpText.zh-CN.xml", name, 64));
    EXPECT_STREQ(L"HELPTEXT.ZH-CN.XML", name);
    EXPECT_EQ(15, MakeResourceName(L"res/FileExt.ini", name, 16));
    EXPECT_EQ(-1, MakeResourceName(L"res/FileExt.ini", name, 15));
    EXPECT_EQ(-1, MakeResourceName(nullptr, name, 64));

    EXPECT_NE(nullptr, FindAppResource(L"res/FileExt.ini"));
    EXPECT_EQ(FindAppResource(L"res/FileExt.ini"), FindAppResource(L"RES\\fileext.INI"));
    EXPECT_EQ(nullptr, FindAppResource(L"res/FileExt.in"));
    EXPECT_EQ(nullptr, FindAppResource(L""));
    EXPECT_EQ(GetModuleHandleW(nullptr), GetResInstance());
}

TEST(KResource, StringTableHoldsTheExactCodeUnitsOfEveryText)
{
    EXPECT_EQ(65u, sizeof(STRING_TABLE) / sizeof(STRING_TABLE[0]));
    for (const KExpectedString& expected : STRING_TABLE) {
        wchar_t buffer[64];
        int length = LoadStringW(GetResInstance(), expected.id, buffer, 64);
        EXPECT_EQ(std::wstring(expected.text), std::wstring(buffer, length)) << expected.id;
        KStringW text;
        EXPECT_EQ((int)wcslen(expected.text), LoadResString(expected.id, text)) << expected.id;
        EXPECT_STREQ(expected.text, text) << expected.id;
    }
    // Nothing else between the page titles and the table's end.
    wchar_t buffer[8];
    EXPECT_EQ(0, LoadStringW(GetResInstance(), 3064, buffer, 8));
    EXPECT_EQ(0, LoadStringW(GetResInstance(), 2999, buffer, 8));
}

TEST(KResource, LoadResStringWithABufferCutsAndWithoutOneMeasures)
{
    // 3032: fourteen characters.
    wchar_t buffer[32];
    EXPECT_EQ(14, LoadResString(3032, buffer, 32));
    EXPECT_EQ(2, LoadResString(3032, buffer, 3));
    EXPECT_EQ(std::wstring(L"\u5217\u8868"), buffer);
    EXPECT_EQ(14, LoadResString(3032, nullptr, 0));

    wcscpy(buffer, L"stale");
    EXPECT_EQ(0, LoadResString(4000, buffer, 32));
    EXPECT_STREQ(L"", buffer);
    EXPECT_EQ(-1, LoadResString(4000, nullptr, 0));

    KStringW text(L"stale");
    EXPECT_EQ(-1, LoadResString(4000, text));
    EXPECT_EQ(0, text.GetLength());
}

namespace {

// Writes a copy of the test executable whose string table holds exactly `strings` (ids of one
// block of sixteen), so that lengths around the loader's growth steps can be tried for real.
bool MakeStringModule(const std::wstring& path, UINT firstId, const std::vector<std::wstring>& strings)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (!CopyFileW(self, path.c_str(), FALSE))
        return false;
    std::vector<WORD> block;
    for (UINT index = 0; index < 16; ++index) {
        UINT id = (firstId & ~15u) + index;
        if (id >= firstId && id - firstId < strings.size()) {
            const std::wstring& text = strings[id - firstId];
            block.push_back((WORD)text.size());
            block.insert(block.end(), text.begin(), text.end());
        } else {
            block.push_back(0);
        }
    }
    HANDLE update = BeginUpdateResourceW(path.c_str(), TRUE);
    if (!update)
        return false;
    BOOL ok = UpdateResourceW(update, RT_STRING, MAKEINTRESOURCEW(firstId / 16 + 1),
                              MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), block.data(),
                              (DWORD)(block.size() * sizeof(WORD)));
    return EndUpdateResourceW(update, !ok) && ok;
}

std::wstring Pattern(int length)
{
    std::wstring text;
    for (int i = 0; i < length; ++i)
        text += (wchar_t)(0x4E00 + i % 500);
    return text;
}

} // namespace

TEST(KResource, LoadResStringLoadsStringsOfAnyLengthWhole)
{
    std::wstring dir = MakeTempDir(L"kres");
    std::wstring path = dir + L"Strings.exe";
    // 255 and 511 fill the room of a load exactly; 600 needs two enlargements.
    const std::vector<std::wstring> strings = {Pattern(600), Pattern(255), Pattern(511), Pattern(256),
                                               L"", Pattern(4000)};
    ASSERT_TRUE(MakeStringModule(path, 9008, strings));
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    KInitResources(module);

    for (size_t i = 0; i < strings.size(); ++i) {
        UINT id = 9008 + (UINT)i;
        KStringW text;
        int expected = strings[i].empty() ? -1 : (int)strings[i].size();
        EXPECT_EQ(expected, LoadResString(id, text)) << id;
        EXPECT_EQ(strings[i], std::wstring(text.GetBuffer(), text.GetLength())) << id;
        EXPECT_EQ(expected, LoadResString(id, nullptr, 0)) << id;
    }
    wchar_t small[10];
    EXPECT_EQ(9, LoadResString(9008, small, 10));
    EXPECT_EQ(Pattern(9), small);
    EXPECT_EQ(-1, LoadResString(9015, nullptr, 0));   // same block, no text
    EXPECT_EQ(-1, LoadResString(9000, nullptr, 0));   // no block

    KInitResources(GetModuleHandleW(nullptr));
    FreeLibrary(module);
    RemoveTree(dir);
}
