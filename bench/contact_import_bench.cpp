// bench-libs: vux_client
// Importing a contact file of 100,000 lines, UTF-16 LE, UTF-8 and GBK: from
// the file read to the import dialog shown with its preview. Each reports
// its time ("ms", the thread's CPU time, best of five) and, as "x_qt", how
// many times longer it takes than Qt's own decoder over the same bytes
// timed alternately in the same run ("qt_ms": decoding alone, no parsing).
// A page that is full stops adding at once instead of walking the rest of
// the pairs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "bench/bench_ratio.h"
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

// Five rounds, the import and the reference alternating, the best of each
// kept; the import's dialog and pairs are let go after its clock stops.
void import_file(benchmark::State& state) {
    const sample& s = sample_of(form(state.range(0)));
    vux_bench::pair_seconds best{1e30, 1e30};
    bool imported = true;
    for (auto _ : state) {
        for (int round = 0; round < 5; ++round) {
            double start = vux_bench::thread_seconds();
            auto file = std::make_unique<orbel_textfile>();
            imported = imported && orbel_import_file(s.path, *file) == orbel_import_error::none;
            auto dialog = std::make_unique<orbel_add_file>(orbel_import_preview(*file));
            dialog->show();
            QCoreApplication::processEvents();
            benchmark::DoNotOptimize(dialog->view()->document());
            best.work = std::min(best.work, vux_bench::thread_seconds() - start);
            dialog.reset();
            file.reset();

            start = vux_bench::thread_seconds();
            QFile f(s.path);
            f.open(QIODevice::ReadOnly);
            QStringDecoder decoder(s.codec);
            const QString text = decoder(f.readAll());
            benchmark::DoNotOptimize(text.size());
            best.reference = std::min(best.reference, vux_bench::thread_seconds() - start);
        }
        state.SetIterationTime(best.work);
    }
    if (!imported) state.SkipWithError("the sample did not import");
    state.counters["lines"] = line_count;
    state.counters["ms"] = best.work * 1e3;
    state.counters["qt_ms"] = best.reference * 1e3;
    state.counters["x_qt"] = best.times();
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
