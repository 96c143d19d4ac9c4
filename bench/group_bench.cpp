// bench-libs: vux_client vux_service
// The site manager with 10,000 sites, offscreen: a 3911 decoded and shown
// (from the reply's arrival to the populated list), then 10,000 3913 sites
// arriving through the site cache, one at a time as the cache asks for them
// (the requests are taken here, so no network is timed). A plain QTreeWidget
// filled with as many rows is the reference; the ratio of the two is printed
// at the end, and the RSS after both.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeWidget>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "client/controls/orbel_list_control.h"
#include "client/manager/orbel_group.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_response_group.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/vux_desktop_accept.h"
#include "service/quellmark_service.h"

namespace {

constexpr int site_count = 10000;

vux_string key_of(int i) {
    char key[16];
    std::snprintf(key, sizeof key, "q%07d", i + 1);
    return vux_string(key);
}

vux_buffer group_reply() {
    vux_desktop_response_group reply;
    for (int i = 0; i < site_count; ++i) {
        vux_desktop_group& g = reply.document.groups.groups.add();
        g.state = i % 4 == 1 ? 1 : 0;
        g.name = key_of(i);
        g.display_name = vux_string("站点 " + std::to_string(i));
    }
    return vux_desktop_frame(reply);
}

// Kept at their exact size (a frame's buffer reserves at least 4 KiB), so
// the benchmark's own input does not weigh on the RSS.
std::vector<QByteArray> site_replies() {
    std::vector<QByteArray> out;
    out.reserve(site_count);
    for (int i = 0; i < site_count; ++i) {
        vux_desktop_response_site reply;
        reply.key = key_of(i);
        reply.site.name = vux_string("显示 " + std::to_string(i));
        reply.site.activated = i % 2;
        reply.site.columns = 0xcf;
        const vux_buffer frame = vux_desktop_frame(reply);
        out.emplace_back(reinterpret_cast<const char*>(frame.data()), frame.length());
    }
    return out;
}

long rss_kib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// The site manager, signed in against a stand-in that holds every list
// request (so the request stays out until the benchmark answers it), with
// the site cache's requests taken by the benchmark.
struct rig {
    rig() {
        service.add_fault({quellmark_fault::delay, 3910, 600000, -1});
        service.listen();
        app = std::make_unique<orbel>();
        app->service_host = service.host();
        app->service_port = service.port();
        app->service_path = vux_string("/cs");
        app->site_list.set_sender([this](const vux_object&, orbel_socket_observer*) { return ++cache_id; });
        group = std::make_unique<orbel_group>();
        group->resize(800, 600);
        group->show();
        group->run_command(1008);  // the list request: the application's first, id 1
    }
    ~rig() {
        group.reset();
        app.reset();
    }
    quellmark_service service;
    std::unique_ptr<orbel> app;
    std::unique_ptr<orbel_group> group;
    int32_t cache_id = 0;
};

void settle_until(const std::function<bool()>& done) {
    while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// One fill of the site list from the reply's arrival to the populated list;
// the site arrivals after it are timed into sites_seconds.
double group_list_round(const vux_buffer& reply, const std::vector<QByteArray>& sites, double& sites_seconds,
                        benchmark::State* state) {
    rig r;
    QElapsedTimer clock;
    clock.start();
    r.group->on_reply(1, reply);
    settle_until([&] { return r.group->list()->topLevelItemCount() == site_count; });
    const double list_seconds = clock.nsecsElapsed() / 1e9;

    clock.restart();
    for (int i = 0; i < site_count; ++i) {
        const int32_t asked = r.cache_id;
        vux_buffer body;
        body.borrow(sites[size_t(i)].constData(), int32_t(sites[size_t(i)].size()));
        r.app->site_list.on_reply(asked, body);
        settle_until([&] { return r.app->site_list.find(key_of(i)) != nullptr; });
    }
    sites_seconds += clock.nsecsElapsed() / 1e9;
    if (state && r.group->list()->topLevelItem(site_count - 1)->text(1) != QStringLiteral("显示 9999"))
        state->SkipWithError("the last row did not show its site");
    return list_seconds;
}

// The reference: a plain tree widget with as many rows, shown.
double plain_tree_round() {
    QElapsedTimer clock;
    clock.start();
    QTreeWidget tree;
    tree.setColumnCount(3);
    tree.resize(800, 600);
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < site_count; ++i)
        items.append(new QTreeWidgetItem(QStringList{QString::fromUtf8("站点 %1").arg(i),
                                                     QString::fromUtf8("显示 %1").arg(i), QStringLiteral("已经发布")}));
    tree.addTopLevelItems(items);
    tree.show();
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e9;
}

double list_ms = 0, plain_ms = 0;

void BM_group_list_10000(benchmark::State& state) {
    const vux_buffer reply = group_reply();
    const std::vector<QByteArray> sites = site_replies();
    double list_seconds = 0, sites_seconds = 0;
    for (auto _ : state) {
        const double seconds = group_list_round(reply, sites, sites_seconds, &state);
        list_seconds += seconds;
        state.SetIterationTime(seconds);
    }
    list_ms = list_seconds * 1e3 / double(state.iterations());
    state.counters["list_ms"] = list_ms;
    state.counters["site_us"] = sites_seconds * 1e6 / double(state.iterations()) / site_count;
    state.counters["rss_MiB"] = double(rss_kib()) / 1024.0;
}
BENCHMARK(BM_group_list_10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_plain_tree_widget_10000(benchmark::State& state) {
    double seconds = 0;
    for (auto _ : state) {
        const double round = plain_tree_round();
        seconds += round;
        state.SetIterationTime(round);
    }
    plain_ms = seconds * 1e3 / double(state.iterations());
    state.counters["rss_MiB"] = double(rss_kib()) / 1024.0;
}
BENCHMARK(BM_plain_tree_widget_10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    {
        QWidget warm;  // the platform and style, loaded by any first window
        warm.show();
        QCoreApplication::processEvents();
    }
    {
        // One untimed round of each first. The first 10,000 rows in a process
        // grow its heap; untimed, whichever side ran first would pay for both.
        double unused = 0;
        group_list_round(group_reply(), site_replies(), unused, nullptr);
        plain_tree_round();
    }
    std::printf("RSS before: %.1f MiB\n", double(rss_kib()) / 1024.0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("RSS after both: %.1f MiB\n", double(rss_kib()) / 1024.0);
    if (list_ms > 0 && plain_ms > 0)
        std::printf("site list / plain tree: %.2fx (%.1f / %.1f ms)\n", list_ms / plain_ms, list_ms, plain_ms);
    return 0;
}
