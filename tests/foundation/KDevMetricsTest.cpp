// Device metrics: the table and its presets, "DevMetrics.xml", unit conversions, the length and
// font-level syntax, fitting the resolution to the screen and the information text.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <limits>
#include <string>
#include <vector>

#include "foundation/CKDevMetricsXml.h"
#include "foundation/KDevMetrics.h"
#include "foundation/KPaths.h"
#include "support/KTestSupport.h"

namespace {

// Every test starts from the presets and leaves the start-up state behind for other tests.
class KDevMetrics : public testing::Test
{
protected:
    void SetUp() override { SetDefaultDevMetrics(); }
    void TearDown() override { InitDevMetrics(); }

    // Feeds a metrics document to the file's reader.
    static void Apply(const std::string& xml)
    {
        CKDevMetricsXml reader;
        std::vector<char> buffer(xml.begin(), xml.end());
        buffer.push_back(0);
        CKXmlParserA(&reader).Parse(buffer.data(), (int)xml.size());
    }
};

} // namespace

TEST_F(KDevMetrics, PresetsFollowTheTableAndIndexesOutsideItReadAsZero)
{
    EXPECT_EQ(GetDevMetric(CxScreen), 320);
    EXPECT_EQ(GetDevMetric(CyScreen), 480);
    EXPECT_EQ(GetDevMetric(LogPixelsX), 160);
    EXPECT_EQ(GetDevMetric(LogPixelsY), 160);
    EXPECT_EQ(GetDevMetric(ScreenOrientation), 0);
    EXPECT_EQ(GetDevMetric(StatusBarHeight), 24);
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 0);
    EXPECT_EQ(GetDevMetric(Density), 2);
    EXPECT_EQ(GetDevMetric(FontSize), 150000);
    EXPECT_EQ(GetDevMetric(FontSizeSmall), 100000);
    EXPECT_EQ(GetDevMetric(FontSizeBig), 200000);

    EXPECT_EQ(GetDevMetric(16), 0);
    EXPECT_EQ(GetDevMetric(-1), 0);
    EXPECT_EQ(GetDevMetricF(16), 0.0f);
    EXPECT_EQ(GetDevMetricF(-1), 0.0f);
    SetDevMetric(16, 7);
    SetDevMetric(-1, 7);
    SetDevMetricF(16, 7.0f);
    EXPECT_EQ(GetDevMetric(16), 0);
    // Index 15, the last entry, is stored.
    SetDevMetric(15, 7);
    EXPECT_EQ(GetDevMetric(15), 7);
}

TEST_F(KDevMetrics, TheShippedFileAndALooseFileSetTheMetricsAtStartUp)
{
    InitDevMetrics();
    EXPECT_EQ(GetDevMetric(CxScreen), 320);
    EXPECT_EQ(GetDevMetric(CyScreen), 480);
    EXPECT_EQ(GetDevMetric(StatusBarHeight), 24);
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 44);   // the presets have none: the file was read
    EXPECT_EQ(GetDevMetric(FontSizeBig), 200000);

    // A loose "AppRes\DevMetrics.xml" beside the executable wins over the compiled-in one.
    wchar_t dir[KMAX_PATH];
    MakeAppResPath(dir, nullptr);
    bool madeDir = CreateDirectoryW(dir, nullptr) != 0;
    wchar_t path[KMAX_PATH];
    MakeAppResPath(path, L"DevMetrics.xml");
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char text[] = "<DevMetrics><LogPixelsX>320</LogPixelsX><TitleBarHeight>44LD"
                        "</TitleBarHeight><FontSize>12.5</FontSize></DevMetrics>";
    DWORD written = 0;
    WriteFile(file, text, sizeof(text) - 1, &written, nullptr);
    CloseHandle(file);
    InitDevMetrics();
    DeleteFileW(path);
    if (madeDir)
        RemoveDirectoryW(dir);
    EXPECT_EQ(GetDevMetric(LogPixelsX), 320);
    EXPECT_EQ(GetDevMetric(Density), 4);
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 88);
    EXPECT_EQ(GetDevMetric(FontSize), 125000);
    // What the loose file does not name keeps its preset.
    EXPECT_EQ(GetDevMetric(CxScreen), 320);
    EXPECT_EQ(GetDevMetric(StatusBarHeight), 24);
}

TEST_F(KDevMetrics, ScreenOrientationSwapsWidthAndHeightBothWays)
{
    Apply("<DevMetrics><CxScreen>320</CxScreen><CyScreen>480</CyScreen>"
          "<ScreenOrientation>2</ScreenOrientation></DevMetrics>");
    EXPECT_EQ(GetDevMetric(CxScreen), 480);
    EXPECT_EQ(GetDevMetric(CyScreen), 320);
    EXPECT_EQ(GetDevMetric(ScreenOrientation), 2);

    Apply("<DevMetrics><CxScreen>480</CxScreen><CyScreen>320</CyScreen>"
          "<ScreenOrientation>0</ScreenOrientation></DevMetrics>");
    EXPECT_EQ(GetDevMetric(CxScreen), 320);
    EXPECT_EQ(GetDevMetric(CyScreen), 480);

    // 1 is portrait too; a screen already in the asked orientation, or square, stays.
    SetDevMetric(CxScreen, 600);
    SetDevMetric(CyScreen, 400);
    SetDevMetric(ScreenOrientation, 1);
    EXPECT_EQ(GetDevMetric(CxScreen), 400);
    EXPECT_EQ(GetDevMetric(CyScreen), 600);
    SetDevMetric(ScreenOrientation, 0);
    EXPECT_EQ(GetDevMetric(CxScreen), 400);
    SetDevMetric(ScreenOrientation, 7);
    EXPECT_EQ(GetDevMetric(CxScreen), 600);
    SetDevMetric(ScreenOrientation, -1);
    EXPECT_EQ(GetDevMetric(CxScreen), 600);
    SetDevMetric(CxScreen, 500);
    SetDevMetric(CyScreen, 500);
    SetDevMetric(ScreenOrientation, 2);
    EXPECT_EQ(GetDevMetric(CxScreen), 500);
}

TEST_F(KDevMetrics, TheFileIsReadInItsOrderWithNamesInAnyCase)
{
    // The bar heights are lengths at the density in force when they are read.
    Apply("<DevMetrics><LogPixelsX>320</LogPixelsX><StatusBarHeight>24LD</StatusBarHeight>"
          "</DevMetrics>");
    EXPECT_EQ(GetDevMetric(StatusBarHeight), 48);
    SetDefaultDevMetrics();
    Apply("<DevMetrics><StatusBarHeight>24LD</StatusBarHeight><LogPixelsX>320</LogPixelsX>"
          "</DevMetrics>");
    EXPECT_EQ(GetDevMetric(StatusBarHeight), 24);

    SetDefaultDevMetrics();
    Apply("<devmetrics><!-- any case --><CXSCREEN>640</CXSCREEN><logpixelsy>240</logpixelsy>"
          "<Unknown>5</Unknown><CyScreen unit=\"px\">  960  </CyScreen>"
          "<TitleBarHeight>30px</TitleBarHeight><FontSizeSmall>8.75</FontSizeSmall>"
          "<LogPixelsX>abc</LogPixelsX></devmetrics>");
    EXPECT_EQ(GetDevMetric(CxScreen), 640);
    EXPECT_EQ(GetDevMetric(CyScreen), 960);
    EXPECT_EQ(GetDevMetric(LogPixelsY), 240);
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 30);
    EXPECT_EQ(GetDevMetric(FontSizeSmall), 87500);
    // A value without digits reads as 0, which no screen has: the preset stays.
    EXPECT_EQ(GetDevMetric(LogPixelsX), 160);
}

TEST_F(KDevMetrics, ValuesNoScreenCouldUseAreIgnoredAndTheRestApplies)
{
    Apply("<DevMetrics><CxScreen>0</CxScreen><CyScreen>-480</CyScreen><LogPixelsX>99999</LogPixelsX>"
          "<LogPixelsY>59</LogPixelsY><StatusBarHeight>4000px</StatusBarHeight>"
          "<TitleBarHeight>-44LD</TitleBarHeight><FontSize>nan</FontSize><FontSizeBig>1e30</FontSizeBig>"
          "<FontSizeSmall>0.5</FontSizeSmall></DevMetrics>");
    EXPECT_EQ(GetDevMetric(CxScreen), 320);
    EXPECT_EQ(GetDevMetric(CyScreen), 480);
    EXPECT_EQ(GetDevMetric(LogPixelsX), 160);
    EXPECT_EQ(GetDevMetric(LogPixelsY), 160);
    EXPECT_EQ(GetDevMetric(StatusBarHeight), 24);
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 0);
    EXPECT_EQ(GetDevMetric(FontSize), 150000);
    EXPECT_EQ(GetDevMetric(FontSizeSmall), 100000);
    EXPECT_EQ(GetDevMetric(FontSizeBig), 200000);

    // The bounds themselves are accepted.
    Apply("<DevMetrics><CxScreen>120</CxScreen><CyScreen>8192</CyScreen><LogPixelsX>60</LogPixelsX>"
          "<LogPixelsY>1280</LogPixelsY><TitleBarHeight>512px</TitleBarHeight>"
          "<FontSize>200</FontSize><FontSizeSmall>1</FontSizeSmall></DevMetrics>");
    EXPECT_EQ(GetDevMetric(CxScreen), 120);
    EXPECT_EQ(GetDevMetric(CyScreen), 8192);
    EXPECT_EQ(GetDevMetric(LogPixelsX), 60);
    EXPECT_EQ(GetDevMetric(LogPixelsY), 1280);
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 512);
    EXPECT_EQ(GetDevMetric(FontSize), 2000000);
    EXPECT_EQ(GetDevMetric(FontSizeSmall), 10000);
}

TEST_F(KDevMetrics, DensityRoundsTheResolutionToItsNearestClass)
{
    const struct
    {
        int dpi;
        int density;
    } cases[] = {{240, 3}, {200, 3}, {190, 3}, {189, 2}, {80, 1}, {160, 2},
                 {320, 4}, {480, 6}, {640, 8}, {29, 0},  {30, 1}};
    for (const auto& c : cases) {
        SetDevMetric(LogPixelsX, c.dpi);
        EXPECT_EQ(GetDevMetric(Density), c.density) << c.dpi;
    }
    // Only the horizontal resolution drives the density.
    SetDevMetric(LogPixelsY, 640);
    EXPECT_EQ(GetDevMetric(Density), 1);
}

TEST_F(KDevMetrics, FontLevelsAreStoredWithFourDecimalsTruncated)
{
    SetDevMetricF(FontSize, 15.55555f);
    EXPECT_EQ(GetDevMetric(FontSize), 155555);
    EXPECT_EQ(GetDevMetricF(FontSize), 15.5555f);
    SetDevMetricF(FontSize, 15.99999f);
    EXPECT_EQ(GetDevMetric(FontSize), 159999);
    SetDevMetricF(FontSizeSmall, -1.23456f);
    EXPECT_EQ(GetDevMetric(FontSizeSmall), -12345);
    EXPECT_EQ(GetDevMetricF(FontSizeSmall), -1.2345f);
    // Far out of range saturates instead of wrapping.
    SetDevMetricF(FontSizeBig, 1e30f);
    EXPECT_EQ(GetDevMetric(FontSizeBig), INT_MAX);
}

TEST_F(KDevMetrics, UnitsConvertThroughMillimetresWithFloatConstants)
{
    // A 32-unit margin is 50 pixels at 160 dpi; the vertical form uses LogPixelsY.
    EXPECT_EQ(UnitToPixels(32, 1), 50);
    EXPECT_EQ(UnitToPixels(32, 0), 50);
    SetDevMetric(LogPixelsY, 320);
    EXPECT_EQ(UnitToPixels(32, 0), 101);
    EXPECT_EQ(UnitToPixels(32, 1), 50);
    EXPECT_EQ(UnitToPixels(0, 1), 0);

    EXPECT_EQ((double)ConvertUnits(1.0f, KUNIT_POINT, KUNIT_MILLIMETRE), 0.35277798771858215);
    EXPECT_EQ((double)ConvertUnits(1.0f, KUNIT_INCH, KUNIT_MILLIMETRE), 25.399999618530273);
    EXPECT_EQ(ConvertUnits(1.0f, KUNIT_BASE, KUNIT_MILLIMETRE), 0.25f);
    EXPECT_EQ(ConvertUnits(3.0f, 9, KUNIT_MILLIMETRE), 3.0f);
    EXPECT_EQ(ConvertUnits(3.0f, KUNIT_MILLIMETRE, 9), 3.0f);
    EXPECT_EQ(ConvertUnits(4.0f, KUNIT_MILLIMETRE, KUNIT_BASE), 16.0f);
    EXPECT_FLOAT_EQ(ConvertUnits(160.0f, KUNIT_PIXEL, KUNIT_INCH), 1.0f);
    EXPECT_FLOAT_EQ(ConvertUnits(101.6f, KUNIT_BASE, KUNIT_INCH), 1.0f);
    EXPECT_FLOAT_EQ(ConvertUnits(72.0f, KUNIT_POINT, KUNIT_INCH), 72.0f * 0.352778f / 25.4f);
    // Pixels use LogPixelsX, whatever LogPixelsY says.
    SetDevMetric(LogPixelsX, 320);
    EXPECT_FLOAT_EQ(ConvertUnits(1.0f, KUNIT_INCH, KUNIT_PIXEL), 320.0f);
}

TEST_F(KDevMetrics, DensityLengthsScaleFromTheirDesignDensityTruncating)
{
    EXPECT_EQ(DensityToPixels(24, 0), 24);
    EXPECT_EQ(DensityToPixels(24, 1), 12);
    SetDevMetric(LogPixelsX, 240);
    EXPECT_EQ(DensityToPixels(24, 0), 36);
    EXPECT_EQ(DensityToPixels(25, 0), 37);
    EXPECT_EQ(DensityToPixels(25, 1), 18);
    EXPECT_EQ(DensityToPixels(-5, 0), -7);
}

TEST_F(KDevMetrics, LengthsReadEveryUnitAndSuffix)
{
    EXPECT_EQ(ParseLength("24LD"), 24.0f);
    EXPECT_EQ(ParseLength("44LD"), 44.0f);
    EXPECT_EQ(ParseLength("24HD"), 12.0f);
    EXPECT_NEAR(ParseLength("10"), 15.748f, 0.001f);
    EXPECT_NEAR(ParseLength("2mm"), 12.598f, 0.001f);
    EXPECT_NEAR(ParseLength("12pt"), 26.666f, 0.001f);
    EXPECT_EQ(TruncateFloat(ParseLength("1in")), 160);
    EXPECT_NEAR(ParseLength("1in"), 160.0f, 0.0001f);
    EXPECT_EQ(ParseLength("7px"), 7.0f);
    // The suffix is not seen after a blank: "24 LD" is 24 pixels at any density.
    SetDevMetric(LogPixelsX, 320);
    EXPECT_EQ(ParseLength("24 LD"), 24.0f);
    EXPECT_EQ(ParseLength("24LD"), 48.0f);
    EXPECT_EQ(ParseLength("24HD"), 24.0f);
    // "LD" and "HD" in any case; "px", "mm", "in", "pt" only in lower case, else pixels.
    EXPECT_EQ(ParseLength("3ld"), 6.0f);
    EXPECT_EQ(ParseLength("3LD"), 6.0f);
    EXPECT_EQ(ParseLength("3PX"), 3.0f);
    EXPECT_EQ(ParseLength("3MM"), 3.0f);
    EXPECT_NEAR(ParseLength("3mm"), 37.795f, 0.001f);
    EXPECT_EQ(ParseLength("3IN"), 3.0f);
    EXPECT_EQ(ParseLength("3xy"), 3.0f);
    SetDefaultDevMetrics();
    // Leading white space, signs and fractions; "LD" lengths take the whole number only.
    EXPECT_EQ(ParseLength(" \t5px"), 5.0f);
    EXPECT_EQ(ParseLength("24hD"), 12.0f);
    EXPECT_EQ(ParseLength("-4HD"), -2.0f);
    EXPECT_EQ(ParseLength("1.5px"), 1.5f);
    EXPECT_EQ(ParseLength("3.9LD"), 3.0f);
    // A list element ends at its ',' and is in base units without a suffix.
    EXPECT_NEAR(ParseLength("10,20"), 15.748f, 0.001f);
    EXPECT_EQ(ParseLength("10px,20"), 10.0f);
    // Text without a number reads as 0.
    EXPECT_EQ(ParseLength("abc"), 0.0f);
    EXPECT_EQ(ParseLength(""), 0.0f);
    EXPECT_EQ(ParseLength(nullptr), 0.0f);
    EXPECT_EQ(ParseLength("5p"), 5.0f);
    // Absurd numbers saturate when truncated to pixels.
    EXPECT_EQ(TruncateFloat(ParseLength("1e30px")), INT_MAX);
    EXPECT_EQ(TruncateFloat(ParseLength("-1e30px")), INT_MIN);
    EXPECT_EQ(TruncateFloat(-7.9f), -7);
    EXPECT_EQ(TruncateFloat(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST_F(KDevMetrics, FontSizesNameALevelOrGiveANumber)
{
    SetDevMetricF(FontSize, 16.5f);
    EXPECT_EQ(ParseFontSize("normal"), 16.5f);
    EXPECT_EQ(ParseFontSize("small"), 10.0f);
    EXPECT_EQ(ParseFontSize("big"), 20.0f);
    EXPECT_EQ(ParseFontSize("12.25"), 12.25f);
    EXPECT_EQ(ParseFontSize("7mm"), 7.0f);
    // Names are exact; text not beginning with a digit is the normal level.
    EXPECT_EQ(ParseFontSize("Big"), 16.5f);
    EXPECT_EQ(ParseFontSize("bigger"), 16.5f);
    EXPECT_EQ(ParseFontSize(" 12"), 16.5f);
    EXPECT_EQ(ParseFontSize("-3"), 16.5f);
    EXPECT_EQ(ParseFontSize(".5"), 16.5f);
    EXPECT_EQ(ParseFontSize(""), 16.5f);
    EXPECT_EQ(ParseFontSize(static_cast<const char*>(nullptr)), 16.5f);

    EXPECT_EQ(ParseFontSize(L"normal"), 16.5f);
    EXPECT_EQ(ParseFontSize(L"small"), 10.0f);
    EXPECT_EQ(ParseFontSize(L"big"), 20.0f);
    EXPECT_EQ(ParseFontSize(L"12.25"), 12.25f);
    EXPECT_EQ(ParseFontSize(L"SMALL"), 16.5f);
    EXPECT_EQ(ParseFontSize(static_cast<const wchar_t*>(nullptr)), 16.5f);
}

TEST_F(KDevMetrics, FittingSetsTheResolutionClassOfTheScreenSize)
{
    const struct
    {
        int width;
        int height;
        int dpi;
    } cases[] = {{320, 480, 160},  {480, 720, 240},   {640, 960, 320},  {800, 1200, 320},
                 {960, 1440, 480}, {1280, 1920, 640}, {480, 320, 160},  {1120, 1680, 480},
                 {320, 320, 80},   {480, 480, 160},   {100, 150, 0}};
    for (const auto& c : cases) {
        SetDefaultDevMetrics();
        SetDevMetric(CxScreen, c.width);
        SetDevMetric(CyScreen, c.height);
        FitDpiToScreen();
        EXPECT_EQ(GetDevMetric(LogPixelsX), c.dpi) << c.width << "x" << c.height;
        EXPECT_EQ(GetDevMetric(LogPixelsY), c.dpi) << c.width << "x" << c.height;
        EXPECT_EQ(GetDevMetric(Density), (c.dpi + 50) / 80) << c.width << "x" << c.height;
    }
}

TEST_F(KDevMetrics, FittingRescalesTheTitleBarButNotTheStatusBar)
{
    SetDevMetric(TitleBarHeight, 44);
    SetDevMetric(CxScreen, 640);
    SetDevMetric(CyScreen, 960);
    FitDpiToScreen();
    EXPECT_EQ(GetDevMetric(LogPixelsX), 320);
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 88);
    EXPECT_EQ(GetDevMetric(StatusBarHeight), 24);

    // The old resolution counts by its density class: 200 dpi is class 3, that is 240 dpi.
    SetDefaultDevMetrics();
    SetDevMetric(LogPixelsY, 200);
    SetDevMetric(TitleBarHeight, 30);
    SetDevMetric(CxScreen, 640);
    SetDevMetric(CyScreen, 960);
    FitDpiToScreen();
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 40);

    // An unchanged resolution leaves the title bar alone.
    SetDefaultDevMetrics();
    SetDevMetric(TitleBarHeight, 45);
    FitDpiToScreen();
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 45);

    // An old resolution below 30 dpi has no density class to scale from: the height is kept.
    SetDefaultDevMetrics();
    SetDevMetric(LogPixelsY, 0);
    SetDevMetric(TitleBarHeight, 44);
    FitDpiToScreen();
    EXPECT_EQ(GetDevMetric(LogPixelsY), 160);
    EXPECT_EQ(GetDevMetric(TitleBarHeight), 44);
}

TEST_F(KDevMetrics, TheInformationTextListsVersionSizeResolutionAndBars)
{
    SetDevMetric(TitleBarHeight, 44);
    wchar_t text[KDEVMETRICS_INFO_CAPACITY];
    int length = FormatDevMetricsInfo(text, KDEVMETRICS_INFO_CAPACITY);
    const wchar_t expected[] = L"Kestrel Version: V1.0.0\n\n"
                               L"Screen Size in Pixel: 320, 480\n\n"
                               L"Log Pixel in DPI: 160, 160\n\n"
                               L"Status & Title Bar: 24, 44\n\n";
    EXPECT_STREQ(text, expected);
    EXPECT_EQ(length, (int)(sizeof(expected) / sizeof(wchar_t)) - 1);

    // The largest values still fit the buffer.
    for (int index : {CxScreen, CyScreen, LogPixelsX, LogPixelsY, StatusBarHeight, TitleBarHeight})
        SetDevMetric(index, INT_MIN);
    length = FormatDevMetricsInfo(text, KDEVMETRICS_INFO_CAPACITY);
    EXPECT_NE(std::wstring(text).find(L"Status & Title Bar: -2147483648, -2147483648\n\n"),
              std::wstring::npos);
    EXPECT_LT(length, KDEVMETRICS_INFO_CAPACITY - 1);
}
