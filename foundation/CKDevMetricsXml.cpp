// Reader of "DevMetrics.xml": element table and the value syntax of each metric.
#include "foundation/CKDevMetricsXml.h"

#include "foundation/KDevMetrics.h"
#include "foundation/KText.h"

K_IMPLEMENT_CLASS(CKDevMetricsXml, CKObject)

namespace {

// How an element's text is read.
enum ValueKind
{
    VALUE_INTEGER,   // decimal integer, SetDevMetric
    VALUE_LENGTH,    // ParseLength truncated to pixels, SetDevMetric
    VALUE_LEVEL,     // decimal float, SetDevMetricF
};

struct MetricElement
{
    const char* name;
    int index;
    ValueKind kind;
};

const MetricElement g_elements[] = {
    {"CxScreen", CxScreen, VALUE_INTEGER},
    {"CyScreen", CyScreen, VALUE_INTEGER},
    {"LogPixelsX", LogPixelsX, VALUE_INTEGER},
    {"LogPixelsY", LogPixelsY, VALUE_INTEGER},
    {"ScreenOrientation", ScreenOrientation, VALUE_INTEGER},
    {"StatusBarHeight", StatusBarHeight, VALUE_LENGTH},
    {"TitleBarHeight", TitleBarHeight, VALUE_LENGTH},
    {"FontSize", FontSize, VALUE_LEVEL},
    {"FontSizeSmall", FontSizeSmall, VALUE_LEVEL},
    {"FontSizeBig", FontSizeBig, VALUE_LEVEL},
};

} // namespace

int CKDevMetricsXml::OnStartElement(const char*, const char**)
{
    return 1;
}

int CKDevMetricsXml::OnEndElement(const char*)
{
    return 1;
}

int CKDevMetricsXml::OnText(const char* element, const char* text, int)
{
    if (!element)
        return 1;
    for (const MetricElement& metric : g_elements) {
        if (KStrICmpA(element, metric.name) != 0)
            continue;
        switch (metric.kind) {
        case VALUE_INTEGER:
            SetDevMetric(metric.index, KStrToIntA(text));
            break;
        case VALUE_LENGTH:
            SetDevMetric(metric.index, TruncateFloat(ParseLength(text)));
            break;
        case VALUE_LEVEL:
            SetDevMetricF(metric.index, KStrToFloatA(text));
            break;
        }
        break;
    }
    return 1;
}
