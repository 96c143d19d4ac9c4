// bench-libs: vux_emulator
// The emulator's graphics host table on a 314 x 474 back buffer, against the
// budget of 2 ms a frame: texts of 10 CJK characters, nine-slice textures (a
// 64 x 64 PNG into 200 x 96, so the middle band is drawn too), pictures, and
// a whole frame (clear, 20 texts, 6 textures, 4 rectangles); QImage::fill of
// the same buffer as the floor.
//
//   scripts/bench.sh graphics
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "emulator/vux_le_graphics.h"

namespace {

constexpr char16_t cjk_text[] = u"会员社区消息设置帮助";  // 10 characters

QByteArray png_of(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A 64 x 64 rounded panel: corners, edges and a middle that all differ.
QByteArray panel_png() {
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 64);
    fill.setColorAt(0, QColor(80, 150, 230));
    fill.setColorAt(1, QColor(20, 80, 170));
    p.setPen(QPen(QColor(10, 40, 90), 2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 1, 62, 62), 12, 12);
    p.end();
    return png_of(image);
}

QByteArray photo_png() {
    QImage image(48, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) image.setPixel(x, y, qRgb(x * 5, y * 5, (x + y) * 2));
    return png_of(image);
}

struct host {
    vux_le_graphics g;
    vux_graphics_table t{};
    QByteArray panel = panel_png();
    QByteArray photo = photo_png();
    host() {
        g.create_buffers(314, 474);
        t = g.table();
        t.select_font(t.user, 0, 0);
        t.set_clip(t.user, 0, 0, 314, 474);
    }
    void at(int x, int y, int w, int h) {
        t.move_to(t.user, x, y);
        t.set_width(t.user, w);
        t.set_height(t.user, h);
    }
    void text(int y) {
        at(8, y, 298, 20);
        t.text(t.user, reinterpret_cast<const uint16_t*>(cjk_text), 10, 0);
    }
    void nine_slice(int y) {
        at(57, y, 200, 96);
        t.texture(t.user, 2, 0, nullptr, reinterpret_cast<const uint8_t*>(panel.constData()), int(panel.size()));
    }
    void picture(int y) {
        at(20, y, 48, 48);
        t.image(t.user, nullptr, 0, reinterpret_cast<const uint8_t*>(photo.constData()), int(photo.size()), 0, 0, 0);
    }
};

void BM_fill(benchmark::State& state) {
    QImage buffer(314, 474, QImage::Format_RGB32);
    for (auto _ : state) {
        buffer.fill(0xffffffff);
        benchmark::DoNotOptimize(buffer.bits());
    }
}
BENCHMARK(BM_fill);

void BM_texts_1000(benchmark::State& state) {
    host h;
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i) h.text((i * 20) % 454);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_texts_1000)->Unit(benchmark::kMillisecond);

void BM_nine_slice(benchmark::State& state) {
    host h;
    for (auto _ : state) h.nine_slice(100);
}
BENCHMARK(BM_nine_slice)->Unit(benchmark::kMicrosecond);

void BM_picture(benchmark::State& state) {
    host h;
    for (auto _ : state) h.picture(200);
}
BENCHMARK(BM_picture)->Unit(benchmark::kMicrosecond);

void BM_frame(benchmark::State& state) {
    host h;
    for (auto _ : state) {
        h.t.clear(h.t.user, 0x00ffffff);
        for (int i = 0; i < 6; ++i) h.nine_slice(i * 70);
        for (int i = 0; i < 4; ++i) {
            h.at(10, 40 + i * 100, 294, 30);
            h.t.set_colour(h.t.user, 0, 0x40e0e8f0);
            h.t.rectangle(h.t.user, 1, i & 1);
        }
        for (int i = 0; i < 20; ++i) h.text(i * 23);
        benchmark::ClobberMemory();
    }
    state.counters["frames_per_2ms"] =
        benchmark::Counter(2e-3 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_frame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
