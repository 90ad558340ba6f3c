// The drawing layer's two hot paths: the software fill engine painting rounded, bordered faces of
// a list row's size (320 x 48) onto the back buffer, and the bilinear resampler scaling a
// 480 x 720 picture to 320 x 480 (what density scaling does to a start-up picture).
#include <windows.h>

#include <cstdio>

#include "KBench.h"
#include "graphics/CKCanvas.h"
#include "graphics/CKImage.h"
#include "graphics/KFaceFill.h"
#include "graphics/KGraphics.h"

namespace {

constexpr int FACE_WIDTH = 320;
constexpr int FACE_HEIGHT = 48;
constexpr int FACE_ROUNDS = 10000;
constexpr int RESAMPLE_ROUNDS = 50;

KFace BenchFace()
{
    // The status bar's two-gradient fill, with 12 x 12 rounding at all corners.
    KFace face = {(unsigned int)KFILL_G2C4 << KFACE_MODE_SHIFT | KFACE_VERTICAL, 12, 12,
                  {0xFF4A4A4A, 0xFF2F2F2F, 0xFF242424, 0xFF000000}};
    return face;
}

void PaintFaces(CKCanvas& canvas, const char* what)
{
    const KFace face = BenchFace();
    canvas.SetPen(0xFFCACACA, 1);
    const double start = NowMs();
    for (int i = 0; i < FACE_ROUNDS; ++i) {
        const int top = (i % 10) * FACE_HEIGHT;
        const RECT rect = {0, top, FACE_WIDTH, top + FACE_HEIGHT};
        canvas.FillFace(rect, face, KCORNER_ALL);
    }
    PrintFigure(what, (NowMs() - start) * 1000.0 / FACE_ROUNDS, "us");
}

void BenchFaces()
{
    printf("Fill engine: %d faces of %d x %d, rounded 12 x 12, border 1\n", FACE_ROUNDS, FACE_WIDTH,
           FACE_HEIGHT);
    const KFace face = BenchFace();
    KFaceRender painted;
    const double start = NowMs();
    for (int i = 0; i < FACE_ROUNDS; ++i)
        KRenderFace(FACE_WIDTH, FACE_HEIGHT, face, face.flags | KCORNER_ALL, 1, 0xFFCACACA, &painted);
    PrintFigure("software render only, per face", (NowMs() - start) * 1000.0 / FACE_ROUNDS, "us");

    // The whole FillFace: render plus one AlphaBlend, onto the back buffer as windows paint, and
    // onto a 32-bit image.
    CKCanvas canvas;
    if (GetBackBufferDC() && canvas.Bind(GetBackBufferDC()))
        PaintFaces(canvas, "FillFace onto the back buffer, per face");
    else
        printf("  no back buffer (no display)\n");
    CKImage screen;
    screen.Create(320, 480, 32);
    canvas.BindImage(&screen, 0, 0);
    PaintFaces(canvas, "FillFace onto a 32-bit image, per face");
}

void BenchResample()
{
    printf("Resampler: 480 x 720 -> 320 x 480, %d times\n", RESAMPLE_ROUNDS);
    CKImage source;
    CKImage target;
    if (!source.Create(480, 720, 32) || !target.Create(320, 480, 32)) {
        printf("  images could not be created\n");
        return;
    }
    for (int y = 0; y < 720; ++y) {
        unsigned int* row = reinterpret_cast<unsigned int*>(source.GetRow(y));
        for (int x = 0; x < 480; ++x)
            row[x] = 0xFF000000u | (unsigned int)(x & 0xFF) << 16 | (unsigned int)(y & 0xFF) << 8;
    }
    const double start = NowMs();
    for (int i = 0; i < RESAMPLE_ROUNDS; ++i)
        target.StretchFrom(0, 0, 320, 480, &source, 0, 0, 480, 720);
    const double elapsed = NowMs() - start;
    PrintFigure("StretchFrom, per picture", elapsed / RESAMPLE_ROUNDS, "ms");
    PrintFigure("per destination pixel", elapsed * 1.0e6 / RESAMPLE_ROUNDS / (320.0 * 480.0), "ns");
}

} // namespace

int main()
{
    KBenchLibrary library;
    BenchFaces();
    BenchResample();
    return 0;
}
