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

// A value outside [low, high] (pixels, dots per inch or font level) is ignored and the metric
// keeps what it had: a loose file saying 0, -320 or 100000 would otherwise leave a frame window
// without a usable client area or fonts no one can read.
struct MetricElement
{
    const char* name;
    int index;
    ValueKind kind;
    float low;
    float high;
};

constexpr float ANY_VALUE = 3.4e38f;

const MetricElement g_elements[] = {
    {"CxScreen", CxScreen, VALUE_INTEGER, 120, 8192},
    {"CyScreen", CyScreen, VALUE_INTEGER, 120, 8192},
    {"LogPixelsX", LogPixelsX, VALUE_INTEGER, 60, 1280},
    {"LogPixelsY", LogPixelsY, VALUE_INTEGER, 60, 1280},
    {"ScreenOrientation", ScreenOrientation, VALUE_INTEGER, -ANY_VALUE, ANY_VALUE},
    {"StatusBarHeight", StatusBarHeight, VALUE_LENGTH, 0, 512},
    {"TitleBarHeight", TitleBarHeight, VALUE_LENGTH, 0, 512},
    {"FontSize", FontSize, VALUE_LEVEL, 1, 200},
    {"FontSizeSmall", FontSizeSmall, VALUE_LEVEL, 1, 200},
    {"FontSizeBig", FontSizeBig, VALUE_LEVEL, 1, 200},
};

bool InRange(const MetricElement& metric, float value)
{
    return value >= metric.low && value <= metric.high;   // false for NaN
}

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
        case VALUE_INTEGER: {
            const int value = KStrToIntA(text);
            if (InRange(metric, (float)value))
                SetDevMetric(metric.index, value);
            break;
        }
        case VALUE_LENGTH: {
            const int value = TruncateFloat(ParseLength(text));
            if (InRange(metric, (float)value))
                SetDevMetric(metric.index, value);
            break;
        }
        case VALUE_LEVEL: {
            const float value = KStrToFloatA(text);
            if (InRange(metric, value))
                SetDevMetricF(metric.index, value);
            break;
        }
        }
        break;
    }
    return 1;
}
