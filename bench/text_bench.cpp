// Label drawing costs: the text of a 20-character label and the fill of its
// rectangle, through a bitmap's canvas as the library's labels draw them.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <string>

#include "platform/classlib/Graphics.h"
#include "platform/winapi/Gdi_Text.h"

namespace {

void Ensure_Gui_Application()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "text_bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

const std::string label = "Video quality: 455,1"; // 20 characters
const RECT label_rect{0, 0, 160, 20};

void Label_DrawText(benchmark::State& state)
{
    Ensure_Gui_Application();
    TBitmap bitmap;
    bitmap.SetSize(label_rect.right, label_rect.bottom);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->SetName("Arial");
    canvas->Brush()->SetStyle(bsClear);
    HDC dc = canvas->Handle();
    for (auto _ : state) {
        RECT rect = label_rect;
        benchmark::DoNotOptimize(DrawTextA(dc, label.c_str(), -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER));
    }
}
BENCHMARK(Label_DrawText)->Unit(benchmark::kMicrosecond);

void Label_FillRect(benchmark::State& state)
{
    Ensure_Gui_Application();
    TBitmap bitmap;
    bitmap.SetSize(label_rect.right, label_rect.bottom);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    for (auto _ : state)
        canvas->FillRect(label_rect);
}
BENCHMARK(Label_FillRect)->Unit(benchmark::kMicrosecond);

} // namespace
