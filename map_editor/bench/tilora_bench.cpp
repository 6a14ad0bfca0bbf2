// The redraw tick of the editor window for a 1024 x 1024-cell map at zoom 4x,
// which must stay within 2 ms, and what the program's memory is with that map
// open. The window runs headless, so the figures hold without a display.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QScrollBar>
#include <QTimer>
#include <memory>

#include "form1.h"
#include "history.h"
#include "map_editing.h"
#include "map_view.h"
#include "tile_set.h"

namespace {

class CancelledFileDialog : public FileDialog {
public:
    void ShowOpen() override { fileName.clear(); }
    void ShowSave() override { fileName.clear(); }
};

class SilentMessageBox : public MessageBox {
public:
    void Show(const QString&, const QString&, MessageIcon) override {}
    Choice AskSaveDiscardCancel(const QString&, const QString&) override { return Choice::Discard; }
};

tilora::RgbImage Tiles() {
    tilora::RgbImage bitmap(tilora::kSheetSize, tilora::kSheetSize);
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, tilora::MakeRgb(x * 2, y * 2, x ^ y));
    }
    return bitmap;
}

// The window with a 1024 x 1024 map of every tile, col flags on a third of the
// cells, at zoom 4x and scrolled to the middle.
std::unique_ptr<Form1> OpenBigMap() {
    auto form = std::make_unique<Form1>(std::make_unique<CancelledFileDialog>(),
                                        std::make_unique<SilentMessageBox>());
    form->show();
    form->Restart(1024, 1024);
    form->Timer1->stop();  // the benchmark runs the ticks itself
    tilora::LoadTileSet(*form, Tiles());
    for (int y = 0; y < 1024; ++y) {
        for (int x = 0; x < 1024; ++x) {
            form->MapTiles(x, y) = uint8_t(x + 16 * y);
            form->MapCol(x, y) = (x + y) % 3 == 0;
        }
    }
    form->Option1->button(32)->click();
    form->HScroll1->setValue(form->HScroll1->maximum() / 2);
    form->VScroll1->setValue(form->VScroll1->maximum() / 2);
    return form;
}

double ResidentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
    }
    return 0;
}

// One tick, the cursor moved each time so that the canvas really changes,
// and the repaint it asks for.
void BM_RedrawTick_1024x1024_Zoom4x(benchmark::State& state) {
    const std::unique_ptr<Form1> form = OpenBigMap();
    const int middleX = form->HScroll1->value() / 32 + 5;
    const int middleY = form->VScroll1->value() / 32 + 5;
    int step = 0;
    for (auto _ : state) {
        form->CursorX = middleX + step % 2;
        form->CursorY = middleY;
        ++step;
        form->Form1_Timer1_Timer();
        QCoreApplication::processEvents();
    }
    state.counters["rss_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_RedrawTick_1024x1024_Zoom4x)->Unit(benchmark::kMicrosecond);

// The drawing of the viewport's part of the map alone, without Qt.
void BM_DrawMap_ViewportOf1024x1024(benchmark::State& state) {
    const std::unique_ptr<Form1> form = OpenBigMap();
    form->Option1->button(int(state.range(0)))->click();
    const tilora::Rect visible{form->HScroll1->value() - 5, form->VScroll1->value() - 5, 361, 316};
    tilora::RgbImage picture;
    for (auto _ : state) {
        tilora::DrawMap(*form, *form, *form, visible, picture);
        benchmark::DoNotOptimize(picture.Row(0));
    }
}
BENCHMARK(BM_DrawMap_ViewportOf1024x1024)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

// The document and view of a 1024 x 1024 map at zoom 1x, with its history.
struct MapEditor : tilora::MapDocument, tilora::MapView {
    tilora::History history;
    tilora::Stroke stroke;
    MapEditor() {
        tilora::NewMap(*this, history, 1024, 1024);
        Zoom = 8;
    }
};

// An undo and a redo of Command2's fill of the whole map.
void BM_UndoRedoFill_1024x1024(benchmark::State& state) {
    MapEditor editor;
    tilora::FillWith16x16Tile(editor, editor.history);
    for (auto _ : state) {
        tilora::Undo(editor, editor.stroke, editor.history);
        tilora::Redo(editor, editor.stroke, editor.history);
    }
    state.counters["history_MiB"] = double(editor.history.Bytes()) / (1 << 20);
}
BENCHMARK(BM_UndoRedoFill_1024x1024)->Unit(benchmark::kMillisecond);

// An undo and a redo of a paint stroke across 100 cells.
void BM_UndoRedoStroke100Cells(benchmark::State& state) {
    MapEditor editor;
    editor.SelTile = 9;
    tilora::CanvasMouseDown(editor, editor, editor.stroke, tilora::TileMode::Tiles8x8, tilora::kLeftButton, 4, 4);
    tilora::CanvasMouseMove(editor, editor, editor.stroke, tilora::kLeftButton, 8 * 99 + 4, 4);
    tilora::FinishStroke(editor, editor.stroke, editor.history);
    for (auto _ : state) {
        tilora::Undo(editor, editor.stroke, editor.history);
        tilora::Redo(editor, editor.stroke, editor.history);
    }
}
BENCHMARK(BM_UndoRedoStroke100Cells)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
