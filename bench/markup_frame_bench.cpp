// bench-libs: vux_image_host vux_markup_runtime
// One full-screen frame of a markup window at 314 x 474 on the QImage
// graphics table: a repaint that keeps the layout, and a first frame that
// lays the client out; then the layout of one paragraph of 1,000 items.
#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <memory>
#include <string>
#include "core/vux_writer.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_engine_handle.h"
#include "tools/vux_image_host.h"

namespace {

// Window "w" shown at start; its client holds `paragraphs` paragraphs of
// `items` linked segments each.
QByteArray window_document(int paragraphs, int items) {
    vux_buffer bytes;
    vux_writer w(bytes);
    w.write_header_default();
    vux_window win;
    win.name = vux_string("w");
    win.titlebar.title = vux_unicode(u"Frame");
    win.client.scroll_bar = std::make_unique<vux_element_scrollbar>();
    for (int p = 0; p < paragraphs; ++p) {
        auto para = std::make_unique<vux_element_paragraph>();
        for (int i = 0; i < items; ++i) {
            auto s = std::make_unique<vux_element_segment>();
            s->text.text = vux_unicode(u"item text ");
            if (i % 4 == 0) s->hyperlink = std::make_unique<vux_hyperlink>();
            para->children.append(std::move(s));
        }
        win.client.paragraphs.append(std::move(para));
    }
    w.write_int32(win.type_code());
    win.write(w);
    vux_action start;
    auto show = std::make_unique<vux_action_show>();
    show->kind = 1;
    show->operation = 2;
    show->target = vux_string("w");
    start.add_step(std::move(show));
    w.write_int32(start.type_code());
    start.write(w);
    w.write_trailer();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.length());
}

struct frame_fixture {
    vux_image_host host{314, 474};
    vux_engine* e = vux_engine_create();
    explicit frame_fixture(const QByteArray& doc) {
        host.attach(e);
        vux_image_host::start(e, doc);
    }
    ~frame_fixture() { vux_engine_destroy(e); }
    vux_machine& machine() { return static_cast<vux_manager*>(e)->machine(); }
    vux_window& window() { return *static_cast<vux_window*>(machine().windows.top()); }
};

void BM_RepaintKeepingTheLayout(benchmark::State& state) {
    frame_fixture f(window_document(30, 4));
    for (auto _ : state) f.machine().settle(true);
}
BENCHMARK(BM_RepaintKeepingTheLayout)->Unit(benchmark::kMicrosecond);

void BM_FirstFrameLaysOut(benchmark::State& state) {
    frame_fixture f(window_document(30, 4));
    for (auto _ : state) {
        f.window().client.refresh_layout(false);
        f.machine().settle(true);
    }
}
BENCHMARK(BM_FirstFrameLaysOut)->Unit(benchmark::kMicrosecond);

void BM_LayoutOfAThousandItems(benchmark::State& state) {
    frame_fixture f(window_document(1, 1000));
    for (auto _ : state) {
        f.window().client.refresh_layout(false);
        f.machine().settle(true);
    }
}
BENCHMARK(BM_LayoutOfAThousandItems)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
