// bench-libs: vux_demo_network vux_builtin_document vux_offscreen vux_markup_runtime
// One full-screen frame at 314 x 474 on the QImage graphics table, of a
// plain window, of the built-in document as it starts (its status over the
// start window) and of the demo site as the local service sends it: a
// repaint that keeps the layout, and a first frame that lays the clients
// out; then the layout of one paragraph of 1,000 items.
#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <string>
#include "core/vux_writer.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_dialog.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_engine_handle.h"
#include "resources/markup/vux_builtin_document.h"
#include "toolkit/vux_image_host.h"
#include "tools/vux_service_network.h"

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

enum class scene { window, builtin, demo_site };

QByteArray builtin_document() {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(vux_builtin_document_data),
                                   qsizetype(vux_builtin_document_size));
}

struct frame_fixture {
    vux_image_host host{314, 474};
    vux_service_network network;
    vux_engine* e = vux_engine_create();
    explicit frame_fixture(const QByteArray& doc) {
        host.attach(e);
        vux_image_host::start(e, doc);
    }
    explicit frame_fixture(scene s) {
        host.attach(e);
        if (s == scene::window) {
            vux_image_host::start(e, window_document(30, 4));
            return;
        }
        if (s == scene::demo_site) {
            host.session_text = "demo@quellmark.com q0000101";
            network.service.state().load_demo();
            network.attach(e);
        }
        vux_image_host::start(e, builtin_document());
        host.feed(e, "call __function_no_exit");
        if (s == scene::demo_site && !network.run_until_ok(e, host, "__window_site"))
            std::fprintf(stderr, "the demo site was not shown\n");
        host.feed(e, "tick 2");
    }
    ~frame_fixture() { vux_engine_destroy(e); }
    vux_machine& machine() { return static_cast<vux_manager*>(e)->machine(); }
    vux_screen_registry& screens() { return static_cast<vux_manager*>(e)->screens(); }
    vux_window& window() { return *static_cast<vux_window*>(screens().windows.top()); }
    // What a first frame does beyond a repaint: the clients in view laid out
    // afresh.
    void lay_out() {
        window().client.refresh_layout(false);
        if (auto* d = static_cast<vux_dialog*>(screens().dialogs.top())) d->client.refresh_layout(false);
    }
};

void BM_RepaintKeepingTheLayout(benchmark::State& state, scene s) {
    frame_fixture f(s);
    for (auto _ : state) f.machine().settle(true);
}
BENCHMARK_CAPTURE(BM_RepaintKeepingTheLayout, window, scene::window)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RepaintKeepingTheLayout, builtin, scene::builtin)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RepaintKeepingTheLayout, demo_site, scene::demo_site)->Unit(benchmark::kMicrosecond);

void BM_FirstFrameLaysOut(benchmark::State& state, scene s) {
    frame_fixture f(s);
    for (auto _ : state) {
        f.lay_out();
        f.machine().settle(true);
    }
}
BENCHMARK_CAPTURE(BM_FirstFrameLaysOut, window, scene::window)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FirstFrameLaysOut, builtin, scene::builtin)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FirstFrameLaysOut, demo_site, scene::demo_site)->Unit(benchmark::kMicrosecond);

// A repaint after every host tick, with the element clocks (countdowns,
// animations, blinking links) and the timed work running between frames.
void BM_RepaintWithTheClocksRunning(benchmark::State& state, scene s) {
    frame_fixture f(s);
    int tick = 0;
    for (auto _ : state) {
        vux_engine_tick(f.e, ++tick);
        f.machine().settle(true);
    }
}
BENCHMARK_CAPTURE(BM_RepaintWithTheClocksRunning, window, scene::window)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RepaintWithTheClocksRunning, builtin, scene::builtin)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RepaintWithTheClocksRunning, demo_site, scene::demo_site)->Unit(benchmark::kMicrosecond);

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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
