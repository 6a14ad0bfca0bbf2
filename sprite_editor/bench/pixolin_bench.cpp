// The two refresh ticks of the window, with a library of 10,000 sprites.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTimer>

#include "form1.h"
#include "sprite_editing.h"

namespace {

Form1& Window() {
    static Form1* form = [] {
        auto* f = new Form1(nullptr, nullptr);
        f->messageBox = MakeQtMessageBox(f);
        f->Timer1->stop();
        f->SpriteTimer->stop();
        while (f->SpriteLast() < 9999) f->Form1_Command1_Click();
        for (int s = 0; s <= f->SpriteLast(); s += 3) f->Sprites[size_t(s)].Pixels(s % 16, 5) = CodeDark;
        f->CurSprite = 5000;
        return f;
    }();
    return *form;
}

void BM_Timer1Tick(benchmark::State& state) {
    Form1& form = Window();
    int n = 0;
    for (auto _ : state) {
        form.Sprites[size_t(form.CurSprite)].Pixels(n % 16, n / 16 % 16) ^= 1;  // a change to show each tick
        form.Form1_Timer1_Timer();
        ++n;
    }
}
BENCHMARK(BM_Timer1Tick)->Unit(benchmark::kMicrosecond);

void BM_SpriteTimerTick(benchmark::State& state) {
    Form1& form = Window();
    form.VScroll1->setValue(int(state.range(0)) * form.VScroll1->maximum() / 2);
    int n = 0;
    for (auto _ : state) {
        form.CurSprite = 5000 + n++ % 7;  // the frame moves each tick
        form.Form1_SpriteTimer_Timer();
    }
}
BENCHMARK(BM_SpriteTimerTick)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A library of 10,000 sprites, each with a few dark cells.
std::vector<Sprite> TenThousandSprites(int seed) {
    std::vector<Sprite> sprites(10000);
    for (size_t s = 0; s < sprites.size(); ++s) sprites[s].Pixels(int(s + seed) % 16, 5) = CodeDark;
    return sprites;
}

// An undo and a redo of a pen stroke across the sprite.
void BM_UndoRedoPenStroke(benchmark::State& state) {
    EditorState editor;
    LoadLibrary(editor, TenThousandSprites(0));
    editor.CurSprite = 5000;
    CanvasPress(editor, kLeftButton, 8, 8);
    CanvasMove(editor, kLeftButton, 248, 248);
    CanvasRelease(editor);
    for (auto _ : state) {
        Undo(editor);
        Redo(editor);
    }
}
BENCHMARK(BM_UndoRedoPenStroke)->Unit(benchmark::kMicrosecond);

// An undo and a redo of loading a library of 10,000 sprites over another.
void BM_UndoRedoLibraryLoad(benchmark::State& state) {
    EditorState editor;
    LoadLibrary(editor, TenThousandSprites(0));
    LoadLibrary(editor, TenThousandSprites(1));
    for (auto _ : state) {
        Undo(editor);
        Redo(editor);
    }
    state.counters["history_MiB"] = double(editor.history.Bytes()) / (1 << 20);
}
BENCHMARK(BM_UndoRedoLibraryLoad)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
