// Reader of "DevMetrics.xml": applies each metric element's text to the device-metric table, in
// the order of the file. Lives only while the file is read (InitDevMetrics).
#pragma once
#include "foundation/CKObject.h"
#include "foundation/CKXmlParserA.h"

// Elements (names in any ASCII case) and what their text sets: "CxScreen", "CyScreen",
// "LogPixelsX", "LogPixelsY", "ScreenOrientation" (decimal integers); "StatusBarHeight",
// "TitleBarHeight" (lengths, so "LogPixelsX" must come first); "FontSize", "FontSizeSmall",
// "FontSizeBig" (decimal floats). Every other element, the root and all attributes are ignored, and
// so is a value no screen could use (sizes outside 120-8192 px, resolutions outside 60-1280 dpi,
// bars outside 0-512 px, font levels outside 1-200).
class CKDevMetricsXml : public CKObject, public CKXmlDelegatorA
{
    K_DECLARE_CLASS(CKDevMetricsXml)
public:
    // Both do nothing and go on.
    int OnStartElement(const char* name, const char** attributes) override;
    int OnEndElement(const char* name) override;
    // Applies the text of a metric element; always goes on.
    int OnText(const char* element, const char* text, int length) override;
};
