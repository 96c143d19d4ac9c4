// Fills one page of the phone's template for the local service's demo data
// and writes it in vux_build's JSON form, for the build to build:
//   quellmark_phone_source TEMPLATE.json OUT.json home|site|news|vote|voted [ACCOUNT [SITE [ITEM]]]
// "voted" is a vote's page for a phone that has voted. Exit code 0 written,
// 1 the page does not fill or build, 2 bad usage or an unreadable or
// unwritable file.
#include <QFile>
#include <cstdio>
#include <string>
#include <vector>
#include "service/quellmark_phone_pages.h"
#include "service/quellmark_service_state.h"

namespace {

int usage() {
    std::fputs(
        "usage: quellmark_phone_source TEMPLATE.json OUT.json home|site|news|vote|voted [ACCOUNT [SITE [ITEM]]]\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 7) return usage();
    const std::string page = argv[3];
    const std::string account = argc > 4 ? argv[4] : "";
    const std::string key = argc > 5 ? argv[5] : "";
    const std::string item = argc > 6 ? argv[6] : "";
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "quellmark_phone_source: cannot read %s\n", argv[1]);
        return 2;
    }
    const std::string template_text = in.readAll().toStdString();
    quellmark_service_state state;
    QString why;
    if (!state.load_demo(&why)) {
        std::fprintf(stderr, "quellmark_phone_source: demo data: %s\n", why.toUtf8().constData());
        return 1;
    }
    const quellmark_service_state::phone_view view = state.phone_view_of(account);
    auto site = [&](const std::string& k) {
        quellmark_phone_site s;
        s.key = k;
        s.site = view.account ? state.visible_site(*view.account, k) : nullptr;
        s.picture = [&state](const std::string& name) { return state.content.picture(name); };
        return s;
    };
    std::string error, source;
    if (page == "home") {
        std::vector<quellmark_phone_site> sites;
        if (view.account)
            for (const std::string& k : state.visible_site_keys(*view.account)) sites.push_back(site(k));
        quellmark_home_records(sites, &error, template_text, &source);
    } else if (page == "site") {
        quellmark_site_records(site(key), &error, template_text, &source);
    } else if (page == "news") {
        quellmark_news_records(site(key), item, &error, template_text, &source);
    } else if (page == "vote" || page == "voted") {
        quellmark_vote_records(site(key), item, page == "voted", &error, template_text, &source);
    } else {
        return usage();
    }
    if (source.empty() || !error.empty()) {
        std::fprintf(stderr, "quellmark_phone_source: %s page %s %s %s: %s\n", page.c_str(), account.c_str(),
                     key.c_str(), item.c_str(), error.empty() ? "no such page in the demo data" : error.c_str());
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(source.data(), qint64(source.size())) != qint64(source.size())) {
        std::fprintf(stderr, "quellmark_phone_source: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
