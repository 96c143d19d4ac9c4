#include "service/quellmark_site_page.h"
#include <QDateTime>
#include <QFile>
#include <map>
#include <vector>
#include "core/vux_record_build.h"
#include "core/vux_record_dump.h"
#include "toolkit/vux_builder.h"

namespace json = vux_record_build;

namespace {

// The values of one item, and the lists of items below it.
struct scope {
    std::map<std::string, std::string> texts;
    std::map<std::string, std::vector<scope>> lists;
    const scope* outer = nullptr;
};

std::string date_of(int32_t seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

scope site_scope(const vux_desktop_site& site) {
    scope s;
    s.texts["name"] = site.name.str();
    s.texts["introduction"] = site.introduction.str();
    std::vector<scope>& news = s.lists["news"];
    for (int32_t i = 0; i < site.news.items.get_count(); ++i) {
        const auto& n = *site.news.items.at(i);
        news.push_back({{{"title", n.title.str()}, {"date", date_of(n.time)}, {"text", n.content.str()}}, {}, nullptr});
    }
    std::vector<scope>& notices = s.lists["notices"];
    for (int32_t i = 0; i < site.notices.items.get_count(); ++i) {
        const auto& n = *site.notices.items.at(i);
        notices.push_back({{{"date", date_of(n.time)}, {"text", n.content.str()}}, {}, nullptr});
    }
    std::vector<scope>& votes = s.lists["votes"];
    for (int32_t i = 0; i < site.votes.items.get_count(); ++i) {
        const auto& v = *site.votes.items.at(i);
        scope vote{{{"text", v.content.str()}, {"date", date_of(v.time)}}, {}, nullptr};
        std::vector<scope>& options = vote.lists["options"];
        for (int32_t k = 0; k < v.options.count(); ++k) {
            const int32_t count = k < v.counts.count() ? v.counts.get(k) : 0;
            options.push_back({{{"option", v.options.item_at(k).str()}, {"count", std::to_string(count)}}, {}, nullptr});
        }
        votes.push_back(std::move(vote));
    }
    return s;
}

class filler {
public:
    explicit filler(const json::value& root) : root_(root) {}
    std::string error;

    void value(const json::value& v, const scope& s, std::string& out) {
        if (json::is_text(v)) {
            const std::string t = substitute(json::text(&v), s);
            vux_record_dump::append_json_string(out, t.data(), t.size());
        } else if (json::is_number(v)) {
            out += std::to_string(json::number(&v));
        } else if (json::is_boolean(v)) {
            out += json::boolean(&v, false) ? "true" : "false";
        } else if (json::is_object(v)) {
            out += '{';
            for (size_t i = 0; i < json::size(v); ++i) {
                if (i) out += ',';
                const std::string_view name = json::member_name(v, i);
                vux_record_dump::append_json_string(out, name.data(), name.size());
                out += ':';
                value(*json::member_at(v, i), s, out);
            }
            out += '}';
        } else if (json::is_array(v)) {
            out += '[';
            bool first = true;
            for (size_t i = 0; i < json::size(v); ++i) items(*json::element(v, i), s, out, first);
            out += ']';
        } else {
            out += "null";
        }
    }

private:
    // One array item: a "@list" is spliced in once per item of the list.
    void items(const json::value& v, const scope& s, std::string& out, bool& first) {
        const std::string t = json::text(&v);
        if (!json::is_text(v) || t.size() < 2 || t[0] != '@') {
            if (!first) out += ',';
            first = false;
            value(v, s, out);
            return;
        }
        const std::string name = t.substr(1);
        const json::value* piece = json::member(root_, name);
        const std::vector<scope>* list = find_list(name, s);
        if (!piece || !json::is_array(*piece) || !list) {
            if (error.empty()) error = "no list " + name + " in the template";
            return;
        }
        // A piece that names its own list (or an outer one) would never end.
        if (++depth_ > max_depth) {
            if (error.empty()) error = "lists nested too deeply at " + name;
            --depth_;
            return;
        }
        for (const scope& item : *list) {
            scope inner = item;
            inner.outer = &s;
            for (size_t i = 0; i < json::size(*piece); ++i) items(*json::element(*piece, i), inner, out, first);
        }
        --depth_;
    }
    static const std::vector<scope>* find_list(const std::string& name, const scope& s) {
        for (const scope* at = &s; at; at = at->outer) {
            auto it = at->lists.find(name);
            if (it != at->lists.end()) return &it->second;
        }
        return nullptr;
    }
    static const std::string* find_text(const std::string& name, const scope& s) {
        for (const scope* at = &s; at; at = at->outer) {
            auto it = at->texts.find(name);
            if (it != at->texts.end()) return &it->second;
        }
        return nullptr;
    }
    // "{name}" takes the value; anything else stays as written.
    static std::string substitute(const std::string& t, const scope& s) {
        std::string out;
        for (size_t i = 0; i < t.size();) {
            const size_t close = t[i] == '{' ? t.find('}', i) : std::string::npos;
            const std::string* v = close != std::string::npos ? find_text(t.substr(i + 1, close - i - 1), s) : nullptr;
            if (v) {
                out += *v;
                i = close + 1;
            } else {
                out += t[i++];
            }
        }
        return out;
    }

    static constexpr int max_depth = 8;
    const json::value& root_;
    int depth_ = 0;
};

bool fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

}  // namespace

std::string quellmark_site_records(const vux_desktop_site& site, const std::string& template_text, std::string* error) {
    std::string why;
    json::value_ptr root = json::parse(template_text, &why);
    if (!root) return fail(error, "site template: " + why), std::string();
    const json::value* page = json::member(*root, "page");
    if (!page) return fail(error, "site template: no \"page\""), std::string();
    const scope s = site_scope(site);
    filler f(*root);
    std::string stream_json;
    f.value(*page, s, stream_json);
    if (!f.error.empty()) return fail(error, "site template: " + f.error), std::string();
    vux_build_result built = vux_build_stream(stream_json);
    if (!built.ok || built.bytes.size() < 13 || built.bytes.compare(0, 4, "vux+") != 0)
        return fail(error, "site template: " + (built.ok ? std::string("it must not be packed") : built.error)),
               std::string();
    return built.bytes.substr(9, built.bytes.size() - 13);
}

std::string quellmark_site_records(const vux_desktop_site& site, std::string* error) {
    // The resource lives in a static library: it has to be registered by hand.
    Q_INIT_RESOURCE(service);
    QFile f(QStringLiteral(":/service/markup/site.json"));
    if (!f.open(QIODevice::ReadOnly)) return fail(error, "no site template"), std::string();
    return quellmark_site_records(site, f.readAll().toStdString(), error);
}
