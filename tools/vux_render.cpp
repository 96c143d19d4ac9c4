// vux_render [--host test|emulator] [--ticks N] [--script FILE] [--size WxH]
//            [--service IDENTITY --until VARIABLE] [-o OUT.png] DOC
// Runs a markup document (raw or packed) on the QImage graphics table, feeds
// it the script's events and then N ticks, and writes the screen as PNG.
// --service answers the engine's network with the local service and its demo
// data in-process, the phone naming IDENTITY (an account, a blank and a site
// key): the document's "__function_no_exit" is called and the exchanges run
// until VARIABLE reads "ok" (a page's window, "__window_site"), before the
// script; the script's ticks then answer the exchanges its events start.
// --host emulator draws with the emulator's own graphics table instead (its
// fonts and the pictures of its image blob) and answers the capabilities as
// the emulator does; the events and the rest of the host stay the test's.
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include "toolkit/vux_image_host.h"
#ifdef VUX_RENDER_SERVICE
#include "tools/vux_service_network.h"
#endif
#ifdef VUX_RENDER_EMULATOR
#include "emulator/orbel_client.h"
#include "emulator/vux_le_facility.h"
#include "emulator/vux_le_graphics.h"
#include "emulator/vux_le_persist.h"
#include "emulator/vux_le_window.h"
#endif

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: vux_render [--host test|emulator] [--ticks N] [--script FILE] [--size WxH]\n"
                 "                  [--service IDENTITY --until VARIABLE] [-o OUT.png] DOC\n");
    return 2;
}

#ifdef VUX_RENDER_EMULATOR
// The emulator's graphics table as the client window sets it up: its
// buffers at the screen's size and the image blob its window hands out.
struct emulator_graphics : vux_le_window {
    vux_le_graphics graphics;
    vux_graphics_table table{};
    QByteArray blob = orbel_client_default_setup().blob;

    emulator_graphics(int width, int height) {
        graphics.set_window(this);
        graphics.create_buffers(width, height);
        table = graphics.table();
    }
    QByteArray image_blob() override { return blob; }

    // The kinds the emulator's facility table supports, as the test host's
    // capability bits.
    static unsigned capabilities() {
        const vux_le_persist persist;
        const vux_le_facility facility(persist);
        unsigned bits = 0;
        for (int kind = 0; kind < 32; ++kind)
            if (facility.supports(kind)) bits |= 1u << kind;
        return bits;
    }
};
#endif

}  // namespace

int main(int argc, char** argv) {
    int ticks = 1, width = 240, height = 320;
    std::string script, out = "screen.png", doc, host_name = "test", identity, until;
    bool service = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--host" && has_value) {
            host_name = argv[++i];
#ifdef VUX_RENDER_EMULATOR
            if (host_name != "test" && host_name != "emulator") return usage();
#else
            if (host_name == "emulator") {
                std::fprintf(stderr, "vux_render: this build has no emulator\n");
                return 2;
            }
            if (host_name != "test") return usage();
#endif
        } else if (arg == "--ticks" && has_value) {
            ticks = std::atoi(argv[++i]);
        } else if (arg == "--service" && has_value) {
            service = true;
            identity = argv[++i];
        } else if (arg == "--until" && has_value) {
            until = argv[++i];
        } else if (arg == "--script" && has_value) {
            script = argv[++i];
        } else if (arg == "--size" && has_value) {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0 || width > 4096 ||
                height > 4096)
                return usage();
        } else if (arg == "-o" && has_value) {
            out = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && doc.empty()) {
            doc = arg;
        } else {
            return usage();
        }
    }
    if (doc.empty() || service != !until.empty()) return usage();
#ifndef VUX_RENDER_SERVICE
    if (service) {
        std::fprintf(stderr, "vux_render: this build has no service\n");
        return 2;
    }
#endif
    QGuiApplication app(argc, argv);
    QFile file(QString::fromStdString(doc));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vux_render: cannot read %s\n", doc.c_str());
        return 1;
    }
    const QByteArray bytes = file.readAll();
    // A document's source is not a document: drawing it would give an empty
    // picture that looks like a result.
    if (bytes.trimmed().startsWith('{')) {
        std::fprintf(stderr, "vux_render: %s is a source; build it with vux_build first\n", doc.c_str());
        return 1;
    }
    vux_image_host host(width, height);
    vux_engine* e = vux_engine_create();
    host.attach(e);
#ifdef VUX_RENDER_EMULATOR
    std::unique_ptr<emulator_graphics> emulator;
    if (host_name == "emulator") {
        emulator = std::make_unique<emulator_graphics>(width, height);
        host.capabilities = emulator_graphics::capabilities();
        vux_engine_set_graphics(e, &emulator->table);
    }
#endif
#ifdef VUX_RENDER_SERVICE
    vux_service_network network;
    if (service) {
        host.session_text = identity;
        if (!network.service.state().load_demo()) {
            std::fprintf(stderr, "vux_render: the demo data does not load\n");
            vux_engine_destroy(e);
            return 1;
        }
        network.attach(e);
    }
#endif
    vux_image_host::start(e, bytes);
#ifdef VUX_RENDER_SERVICE
    if (service) {
        host.feed(e, "call __function_no_exit");
        if (!network.run_until_ok(e, host, until.c_str())) {
            std::fprintf(stderr, "vux_render: %s never came\n", until.c_str());
            vux_engine_destroy(e);
            return 1;
        }
    }
#endif
    if (!script.empty()) {
        std::ifstream lines(script);
        if (!lines) {
            std::fprintf(stderr, "vux_render: cannot read %s\n", script.c_str());
            vux_engine_destroy(e);
            return 1;
        }
        std::string line;
        for (int n = 1; std::getline(lines, line); ++n) {
#ifdef VUX_RENDER_SERVICE
            // With the service, the script's ticks carry the exchanges that
            // its events start (a link that asks for a page).
            int count = 0;
            if (service && std::sscanf(line.c_str(), " tick %d", &count) == 1) {
                for (int t = 0; t < count; ++t) {
                    network.answer(e);
                    host.feed(e, "tick 1");
                }
                continue;
            }
#endif
            if (!host.feed(e, line)) std::fprintf(stderr, "vux_render: %s:%d: not understood\n", script.c_str(), n);
        }
    }
    host.feed(e, "tick " + std::to_string(ticks));
    vux_engine_destroy(e);
    QImage screen = host.image();
#ifdef VUX_RENDER_EMULATOR
    if (emulator) screen = emulator->graphics.buffer();
#endif
    if (!screen.save(QString::fromStdString(out), "PNG")) {
        std::fprintf(stderr, "vux_render: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
