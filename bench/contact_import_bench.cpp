// bench-libs: vux_client
// Importing a contact file of 100,000 lines, UTF-16 LE, UTF-8 and GBK: from
// the file read to the import dialog's text set. Each reports, as "x_qt",
// how many times longer it takes than Qt's own decoder over the same bytes
// in the same run (decoding alone, no parsing). A page that is full stops
// adding at once instead of walking the rest of the pairs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

#include "client/contacts/orbel_add_file.h"
#include "client/contacts/orbel_contact_table.h"
#include "client/controls/orbel_richedit.h"

namespace {
constexpr int line_count = 100000;

QString contact_lines() {
    QString text;
    text.reserve(line_count * 20);
    for (int i = 0; i < line_count; ++i) {
        if (i % 3 == 2)
            text += QStringLiteral("联系人%1 user%1@mail.example\r\n").arg(i);
        else
            text += QStringLiteral("联系人%1 13%2\r\n").arg(i).arg(i, 9, 10, QLatin1Char('0'));
    }
    return text;
}

enum class form { utf16le, utf8, gbk };

struct sample {
    QByteArray bytes;
    QString path;
    const char* codec;
};

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

const sample& sample_of(form f) {
    static std::unique_ptr<sample> made[3];
    auto& s = made[int(f)];
    if (s) return *s;
    s = std::make_unique<sample>();
    const QString text = contact_lines();
    switch (f) {
    case form::utf16le:
        s->bytes = QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringEncoder::Utf16LE)(text);
        s->codec = "UTF-16LE";
        break;
    case form::utf8:
        s->bytes = QStringEncoder(QStringEncoder::Utf8)(text);
        s->codec = "UTF-8";
        break;
    case form::gbk:
        s->bytes = QStringEncoder("GBK")(text);
        s->codec = "GBK";
        break;
    }
    s->path = folder().filePath(QStringLiteral("contacts%1.txt").arg(int(f)));
    QFile file(s->path);
    file.open(QIODevice::WriteOnly);
    file.write(s->bytes);
    return *s;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void import_file(benchmark::State& state) {
    const sample& s = sample_of(form(state.range(0)));
    double ours = 0, qt = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        orbel_textfile file;
        if (orbel_import_file(s.path, file) != orbel_import_error::none)
            state.SkipWithError("the sample did not import");
        orbel_add_file dialog(orbel_import_preview(file));
        benchmark::DoNotOptimize(dialog.view()->document());
        ours += seconds_since(start);

        start = std::chrono::steady_clock::now();
        QFile f(s.path);
        f.open(QIODevice::ReadOnly);
        QStringDecoder decoder(s.codec);
        const QString text = decoder(f.readAll());
        benchmark::DoNotOptimize(text.size());
        qt += seconds_since(start);
    }
    state.counters["lines"] = line_count;
    state.counters["x_qt"] = ours / qt;
}
BENCHMARK(import_file)
    ->Arg(int(form::utf16le))
    ->Arg(int(form::utf8))
    ->Arg(int(form::gbk))
    ->Unit(benchmark::kMillisecond);

void add_to_a_full_page(benchmark::State& state) {
    orbel_contact_table table(100);
    for (int i = 0; i < 100; ++i)
        table.add_one(vux_string("某人").to_unicode(), vux_string(("138" + std::to_string(10000000 + i)).c_str()));
    const vux_unicode name = vux_string("某人").to_unicode();
    const vux_string value("13912345678");
    for (auto _ : state)
        for (int i = 0; i < line_count; ++i) benchmark::DoNotOptimize(table.add_one(name, value));
    state.counters["pairs"] = line_count;
}
BENCHMARK(add_to_a_full_page)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
