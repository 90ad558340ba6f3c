// The help page's text at sizes far beyond the real one: a generated mark-up file of about
// 100,000, 1,000,000 and 4,000,000 characters (Chinese sentences with punctuation, Latin words,
// numbers and file names, bold and tappable runs, paragraphs) opened in a rich-text label as wide
// as the help page. Each size is opened several times; every figure is the median of the runs
// with its spread (slowest minus fastest). Opening is what the user waits for on one message of
// the UI thread: reading, parsing, laying out and the first paint. A relayout (the label resized)
// and a paint at the end of the text follow.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "KBench.h"
#include "controls/CKRichLabel.h"
#include "foundation/KPaths.h"
#include "ui/CKApplication.h"

namespace {

constexpr int LABEL_WIDTH = 320;
constexpr int LABEL_HEIGHT = 432;
constexpr int LABEL_ID = 1;
constexpr unsigned int LABEL_FLAGS = KRLF_LAYOUT | KWF_VSCROLL;
constexpr wchar_t MARKUP_NAME[] = L"BenchHelpText.xml";   // beside the program
// The longest single step the user may wait for on the UI thread, for the 1,000,000 size.
constexpr double STEP_BUDGET_MS = 1000.0;
constexpr int BUDGET_SIZE = 1000000;

struct KSize
{
    int characters;
    int runs;   // times the text is opened
};

const KSize SIZES[] = {{100000, 7}, {1000000, 5}, {4000000, 3}};

// The application object the frame window belongs to.
class CBenchApp : public CKApplication
{
public:
    CBenchApp() : CKApplication(GetModuleHandleW(nullptr), L"") {}
};

// One paragraph of help text in the mark-up, numbered so that no two are alike.
std::wstring Paragraph(int n)
{
    wchar_t numbers[96];
    wsprintfW(numbers, L"第 %d 节：版本 V1.%d 的窗口为 %d, %d 像素", n, n % 10, 24 + n % 7, 44 + n % 5);
    std::wstring text = L"Lumo 是一款小巧、简单的音乐播放器：浏览本机的文件夹挑选音频文件（例如 "
                        L"song";
    text += std::to_wstring(n % 100);
    text += L".mp3 或 track.wav），再用<B>播放列表</B>来管理它们。";
    text += numbers;
    text += L"。点按<Notify ID=\"1\"><U>https://lumo.example.org/help</U></Notify>"
            L"查看更多；The quick brown fox jumps over the lazy dog, and plays music all day long."
            L"「就剩最后一个列表了，别再删啦！」……\r\n\r\n";
    return text;
}

// The mark-up of about `characters` characters, UTF-16LE with its mark.
std::string MarkupBytes(int characters)
{
    std::wstring text = L"\xFEFF<Lumo><Format align=\"left\" size=\"small\" color=\"#333333\">";
    for (int n = 0; (int)text.size() < characters; n++)
        text += Paragraph(n);
    text += L"</Format></Lumo>";
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

bool WriteFileBytes(const wchar_t* path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// Prints the median and the spread of `values` as two figures named "<size> <what>, ...".
void PrintSpread(int characters, const char* what, const std::vector<double>& values,
                 const char* unit)
{
    char name[160];
    wsprintfA(name, "%d characters: %s, median", characters, what);
    PrintFigure(name, Median(values), unit);
    wsprintfA(name, "%d characters: %s, spread", characters, what);
    PrintFigure(name, Spread(values), unit);
}

void PaintNow(CKRichLabel* label)
{
    RedrawWindow(label->GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// Opens the text of one size `size.runs` times and prints its figures; returns the median open,
// or -1 when the file could not be written.
double BenchSize(CKRichLabel* label, const KSize& size)
{
    const std::string bytes = MarkupBytes(size.characters);
    wchar_t path[KMAX_PATH];
    MakeModulePath(path, MARKUP_NAME);
    printf("Help text of %d characters (a file of %d bytes), opened %d times\n", size.characters,
           (int)bytes.size(), size.runs);
    if (!WriteFileBytes(path, bytes)) {
        printf("  the mark-up file could not be written\n");
        return -1;
    }
    const RECT page = {0, 0, LABEL_WIDTH, LABEL_HEIGHT};
    const RECT narrower = {0, 0, LABEL_WIDTH - 1, LABEL_HEIGHT};
    std::vector<double> opens, relayouts, paintsAtEnd;
    for (int run = 0; run < size.runs; run++) {
        label->Clear();
        label->Move(page);
        double start = NowMs();
        label->LoadText(path);
        PaintNow(label);
        opens.push_back(NowMs() - start);

        start = NowMs();
        label->Move(narrower);
        relayouts.push_back(NowMs() - start);

        label->ScrollTo(0, label->GetContentHeight() - LABEL_HEIGHT);
        start = NowMs();
        PaintNow(label);
        paintsAtEnd.push_back(NowMs() - start);
    }
    DeleteFileW(path);
    PrintSpread(size.characters, "open (read, parse, lay out, paint)", opens, "ms");
    PrintSpread(size.characters, "lay out again after a resize", relayouts, "ms");
    PrintSpread(size.characters, "paint at the end of the text", paintsAtEnd, "ms");
    return Median(opens);
}

} // namespace

int main()
{
    KBenchLibrary library;
    CBenchApp app;
    app.InitInstance();
    if (!GetFrameWindow()) {
        printf("Help text: no frame window (no display)\n");
        return 1;
    }
    CKRichLabel* label = new CKRichLabel();
    label->EnableRefCount();
    label->AddRef();
    if (!label->Create(0, LABEL_ID, nullptr, LABEL_FLAGS)) {
        printf("Help text: the label could not be created\n");
        label->Release();
        return 1;
    }
    double budgetOpen = -1;
    for (const KSize& size : SIZES) {
        const double open = BenchSize(label, size);
        if (size.characters == BUDGET_SIZE)
            budgetOpen = open;
    }
    PrintFigure("peak memory", PeakMemoryMiB(), "MiB");
    printf("  target: opening %d characters in one step under %.0f ms: %s\n", BUDGET_SIZE,
           STEP_BUDGET_MS, budgetOpen >= 0 && budgetOpen < STEP_BUDGET_MS ? "met" : "missed");
    label->Destroy();
    label->Release();
    return budgetOpen >= 0 ? 0 : 1;
}
