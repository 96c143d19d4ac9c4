// vux_render [--ticks N] [--script FILE] [--size WxH] [-o OUT.png] DOC
// Runs a markup document (raw or packed) on the QImage graphics table, feeds
// it the script's events and then N ticks, and writes the screen as PNG.
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include "tools/vux_image_host.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: vux_render [--ticks N] [--script FILE] [--size WxH] [-o OUT.png] DOC\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int ticks = 1, width = 240, height = 320;
    std::string script, out = "screen.png", doc;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--ticks" && has_value) {
            ticks = std::atoi(argv[++i]);
        } else if (arg == "--script" && has_value) {
            script = argv[++i];
        } else if (arg == "--size" && has_value) {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0 ||
                width > 4096 || height > 4096)
                return usage();
        } else if (arg == "-o" && has_value) {
            out = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && doc.empty()) {
            doc = arg;
        } else {
            return usage();
        }
    }
    if (doc.empty()) return usage();
    QGuiApplication app(argc, argv);
    QFile file(QString::fromStdString(doc));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vux_render: cannot read %s\n", doc.c_str());
        return 1;
    }
    vux_image_host host(width, height);
    vux_engine* e = vux_engine_create();
    host.attach(e);
    vux_image_host::start(e, file.readAll());
    if (!script.empty()) {
        std::ifstream lines(script);
        if (!lines) {
            std::fprintf(stderr, "vux_render: cannot read %s\n", script.c_str());
            vux_engine_destroy(e);
            return 1;
        }
        std::string line;
        for (int n = 1; std::getline(lines, line); ++n)
            if (!host.feed(e, line)) std::fprintf(stderr, "vux_render: %s:%d: not understood\n", script.c_str(), n);
    }
    host.feed(e, "tick " + std::to_string(ticks));
    vux_engine_destroy(e);
    if (!host.image().save(QString::fromStdString(out), "PNG")) {
        std::fprintf(stderr, "vux_render: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
