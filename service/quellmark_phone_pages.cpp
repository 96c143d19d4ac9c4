#include "service/quellmark_phone_pages.h"
#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <array>
#include <map>
#include <vector>
#include "core/vux_record_build.h"
#include "core/vux_record_dump.h"
#include "desktop/vux_desktop_columns.h"
#include "toolkit/vux_builder.h"

namespace json = vux_record_build;

// The resource lives in a static library: it has to be registered by hand,
// outside any namespace.
static std::string builtin_template() {
    Q_INIT_RESOURCE(service);
    QFile f(QStringLiteral(":/service/markup/phone.json"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

namespace {

// The values of one item, and the lists of items below it.
struct scope {
    std::map<std::string, std::string> texts;
    std::map<std::string, std::vector<scope>> lists;
    const scope* outer = nullptr;
};

// A list of one item (something the page shows) or of none.
void one_if(scope& s, const std::string& list, bool shown, scope item = {}) {
    std::vector<scope>& l = s.lists[list];
    if (shown) l.push_back(std::move(item));
}

scope text_item(std::initializer_list<std::pair<const std::string, std::string>> texts) {
    scope s;
    s.texts = texts;
    return s;
}

std::string date_of(int32_t seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

// The phone's screen is 240 units wide; a picture shown w units wide is sent
// at the pixels of a 314-pixel-wide screen.
constexpr int screen_units = 240;
int pixels_of(int units) { return (units * 314 + screen_units - 1) / screen_units; }

constexpr int32_t column_home = 0x2, column_news = 0x4, column_notices = 0x8, column_votes = 0x80;
constexpr int32_t option_tray_only = 0x100;

// A picture as the page shows it: its data record's name and the size it
// is shown at, in units.
struct shown_picture {
    std::string name;
    int width = 0, height = 0;
    bool empty() const { return name.empty(); }
    // Its name and size, and the size of the frame one unit around it.
    std::map<std::string, std::string> texts() const {
        return {{"picture", name},
                {"picture_width", std::to_string(width)},
                {"picture_height", std::to_string(height)},
                {"frame_width", std::to_string(width + 2)},
                {"frame_height", std::to_string(height + 2)}};
    }
};

// The pictures a page sends: each once, named by its bytes (so a changed
// picture never meets the old one under the same name).
class picture_set {
public:
    // A picture shown within w x h units in its own shape (an image is drawn
    // over the whole of its box): as wide as w, or narrower when its shape is
    // taller than w x h, and never lower than min_h. Empty when the bytes
    // are no picture.
    shown_picture add(const QByteArray& bytes, int w, int h, int min_h = 0) {
        if (bytes.isEmpty()) return {};
        const QByteArray png = quellmark_phone_png(bytes, pixels_of(w), pixels_of(h));
        if (png.isEmpty()) return {};
        shown_picture shown{{}, w, h};
        const QImage image = QImage::fromData(png);
        if (image.width() > 0 && image.height() > 0) {
            const int shaped = w * image.height() / image.width();
            if (shaped > h) shown.width = std::max(1, h * image.width() / image.height());
            shown.height = std::clamp(shaped, std::min(min_h, h), h);
        }
        shown.name =
            "__picture_" + QCryptographicHash::hash(png, QCryptographicHash::Md5).toHex().left(16).toStdString();
        if (std::none_of(items.begin(), items.end(), [&](const scope& s) { return s.texts.at("name") == shown.name; }))
            items.push_back(text_item({{"name", shown.name}, {"bytes", png.toHex().toStdString()}}));
        return shown;
    }
    std::vector<scope> items;
};

scope picture_item(const shown_picture& p) {
    scope s;
    s.texts = p.texts();
    return s;
}

std::string item_picture(const quellmark_phone_site& s, const vux_desktop_data& picture) {
    if (picture.bytes.length() > 0)
        return std::string(reinterpret_cast<const char*>(picture.bytes.data()), size_t(picture.bytes.length()));
    if (!picture.name.empty() && s.picture) {
        const QByteArray b = s.picture(picture.name.str());
        return std::string(b.constData(), size_t(b.size()));
    }
    return {};
}

QByteArray bytes_of(const vux_buffer& b) {
    return QByteArray(reinterpret_cast<const char*>(b.data()), int(b.length()));
}
QByteArray bytes_of(const std::string& s) { return QByteArray(s.data(), int(s.size())); }

// The page's own values: the site's key and name, and its pictures.
scope site_values(const quellmark_phone_site& s) {
    scope page;
    page.texts["key"] = s.key;
    page.texts["name"] = s.site->name.str();
    return page;
}

// The page of one item: the site's values, the item's key and date, and its
// picture (in the list `picture_list`) across the screen.
scope item_page(const quellmark_phone_site& s, const std::string& key, int32_t time, const vux_desktop_data& picture,
                const char* picture_list, picture_set& pictures) {
    scope page = site_values(s);
    page.texts["item"] = key;
    page.texts["date"] = date_of(time);
    const shown_picture shown = pictures.add(bytes_of(item_picture(s, picture)), 224, 168, 20);
    one_if(page, picture_list, !shown.empty(), picture_item(shown));
    return page;
}

// The title band: the tray picture, else the tray colour; over it the icon
// and the name, unless the site shows its tray picture alone.
void add_band(scope& page, const vux_desktop_site& site, picture_set& pictures) {
    // The tray picture spans the screen's width and sets the band's height.
    const shown_picture tray_shown = pictures.add(bytes_of(site.tray_picture), screen_units, 100, 30);
    const std::string& tray = tray_shown.name;
    const int band = tray.empty() ? 48 : tray_shown.height;
    scope item;
    item.texts["band_height"] = std::to_string(band);
    item.texts["tray_colour"] = quellmark_phone_colour(site.tray_color);
    one_if(item, "band_picture", !tray.empty(), text_item({{"picture", tray}}));
    const bool alone = !tray.empty() && (site.options & option_tray_only) != 0;
    const int side = std::min(band - 8, 40);
    const std::string icon = alone ? std::string() : pictures.add(bytes_of(site.icon), side, side).name;
    one_if(item, "band_icon", !icon.empty(),
           text_item(
               {{"icon", icon}, {"icon_side", std::to_string(side)}, {"icon_top", std::to_string((band - side) / 2)}}));
    one_if(item, "band_title", !alone, text_item({{"title_left", std::to_string(icon.empty() ? 8 : side + 10)}}));
    page.lists["band"].push_back(std::move(item));
}

// The section of the page a column's tile leads to (with what fills it, below).
std::string section_of(const vux_desktop_column& c);

// A pressed tile's colour: its own at 60 % of each channel.
int32_t darker(int32_t rgb) {
    int32_t out = 0;
    for (int shift : {0, 8, 16}) out |= ((rgb >> shift & 0xFF) * 3 / 5) << shift;
    return out;
}

// The columns a member sees: those the column page offers, in its order.
template <class each_column>
void for_shown_columns(const vux_desktop_site& site, each_column each) {
    for (const vux_desktop_column& c : vux_desktop_columns)
        if (c.offered && (site.columns & c.bit) != 0) each(c);
}

// The column page as the interface style lays it out (the one style there
// is, Metro: tiles two to a row in the column colours at the column
// opacity, over the column background). The right-hand tiles are placed
// from the view's right edge, their margin there as wide as the left-hand
// ones' plus the scroll bar over that edge (4 units). A tile scrolls the
// page to its column's section.
void add_columns(scope& page, const vux_desktop_site& site, picture_set& pictures) {
    page.lists["columns"];
    scope block;
    std::vector<scope>& tiles = block.lists["tiles"];
    constexpr int margin = 6, right_margin = margin + 4, width = 106, height = 48, step_y = 54;
    const char* align[] = {"left", "center", "right"};
    const int32_t opacity = std::clamp(site.brush.opacity, 0, 100);
    for_shown_columns(site, [&](const vux_desktop_column& c) {
        const int i = int(tiles.size());
        const int32_t rgb = site.brush.value_of(c.key, c.colour);
        tiles.push_back(text_item({{"label", c.label},
                                   {"colour", quellmark_phone_colour(rgb, opacity)},
                                   {"pressed", quellmark_phone_colour(darker(rgb), opacity)},
                                   {"left", std::to_string(i % 2 == 0 ? margin : -(width + right_margin))},
                                   {"top", std::to_string(margin + (i / 2) * step_y)},
                                   {"width", std::to_string(width)},
                                   {"height", std::to_string(height)},
                                   {"talign", align[std::clamp(site.column_align, 0, 2)]},
                                   {"section", section_of(c)}}));
    });
    if (tiles.empty()) return;
    const int rows = (int(tiles.size()) + 1) / 2;
    const int block_height = margin + rows * step_y;
    block.texts["columns_height"] = std::to_string(block_height);
    const std::string ground = pictures.add(bytes_of(site.background), screen_units, block_height).name;
    one_if(block, "columns_background", !ground.empty(), text_item({{"background", ground}}));
    page.lists["columns"].push_back(std::move(block));
}

void add_home(scope& section, const quellmark_phone_site& s, picture_set& pictures) {
    const vux_desktop_site& site = *s.site;
    scope block;
    const shown_picture picture = pictures.add(bytes_of(site.home_picture), 224, 168, 20);
    one_if(block, "home_picture", !picture.empty(), picture_item(picture));
    auto line = [&](const char* list, const char* label, const vux_string& value) {
        one_if(block, list, !value.empty(), text_item({{"line", label + value.str()}}));
    };
    line("home_lines", "", site.introduction);
    line("home_lines", "电话：", site.telephone);
    line("home_lines", "地址：", site.address);
    line("home_lines", "网址：", site.web_address);
    one_if(block, "home_empty", block.lists["home_lines"].empty() && picture.empty());
    section.lists["home"].push_back(std::move(block));
}

// A column's block of items: the items as `item` makes them, or the
// block's "none" line.
template <class list_type, class make_item>
void add_block(scope& section, const std::string& name, const list_type& list, make_item item) {
    scope block;
    std::vector<scope>& items = block.lists[name];
    for (int32_t i = 0; i < list.items.get_count(); ++i) items.push_back(item(*list.items.at(i)));
    one_if(block, name + "_none", items.empty());
    section.lists[name + "_block"].push_back(std::move(block));
}

void add_news(scope& section, const quellmark_phone_site& s, picture_set& pictures) {
    add_block(section, "news", s.site->news, [&](const vux_desktop_news& n) {
        const shown_picture thumb = pictures.add(bytes_of(item_picture(s, n.picture)), 56, 42);
        scope item = text_item({{"item", n.key.str()},
                                {"title", n.title.str()},
                                {"date", date_of(n.time)},
                                {"text_left", thumb.empty() ? "8" : "70"}});
        one_if(item, "news_thumb", !thumb.empty(), picture_item(thumb));
        return item;
    });
}

void add_notices(scope& section, const quellmark_phone_site& s, picture_set& pictures) {
    add_block(section, "notices", s.site->notices, [&](const vux_desktop_notice& n) {
        const shown_picture picture = pictures.add(bytes_of(item_picture(s, n.picture)), 120, 90, 20);
        scope item = text_item({{"date", date_of(n.time)}, {"text", n.content.str()}});
        one_if(item, "notice_picture", !picture.empty(), picture_item(picture));
        return item;
    });
}

std::vector<scope> option_items(const vux_desktop_vote& v) {
    std::vector<scope> out;
    int32_t most = 1;
    for (int32_t k = 0; k < v.options.count(); ++k) most = std::max(most, v.count_of(k));
    for (int32_t k = 0; k < v.options.count(); ++k) {
        const int32_t count = std::max(v.count_of(k), 0);
        // The bar is as long as its share of the most votes any option has.
        const int bar = 4 + int(int64_t(count) * 150 / most);
        out.push_back(text_item({{"option", v.options.item_at(k).str()},
                                 {"count", std::to_string(count)},
                                 {"choice", v.key.str() + "/" + std::to_string(k)},
                                 {"bar", std::to_string(bar)}}));
    }
    return out;
}

void add_votes(scope& section, const quellmark_phone_site& s, picture_set&) {
    add_block(section, "votes", s.site->votes, [](const vux_desktop_vote& v) {
        scope item = text_item({{"item", v.key.str()}, {"text", v.content.str()}, {"date", date_of(v.time)}});
        item.lists["options"] = option_items(v);
        return item;
    });
}

// The columns the phone has a page for: the section a tile leads to and
// what fills it. Any other column's section is a block that says the phone
// cannot show it.
struct column_page {
    int32_t bit;
    const char* section;
    void (*fill)(scope& section, const quellmark_phone_site& s, picture_set& pictures);
};
constexpr column_page column_pages[] = {
    {column_home, "home", add_home},
    {column_news, "news", add_news},
    {column_notices, "notices", add_notices},
    {column_votes, "votes", add_votes},
};

const column_page* page_of(int32_t bit) {
    for (const column_page& p : column_pages)
        if (p.bit == bit) return &p;
    return nullptr;
}

std::string section_of(const vux_desktop_column& c) {
    const column_page* p = page_of(c.bit);
    return p ? p->section : "column_" + std::to_string(c.key);
}

// The fewest lines a filled scope takes: one for each item of its lists
// (a text or a picture, each at least a line high), and the items' own.
int lines_of(const scope& s) {
    int lines = 0;
    for (const auto& list : s.lists)
        for (const scope& item : list.second) lines += 1 + lines_of(item);
    return lines;
}

// The phone's view of a page is about this many units high (the 240-unit
// wide screen of 314 x 474 pixels, less its title and command bars), and a
// line at least this many.
constexpr int view_units = 300, line_units = 16;

// The page's sections, one per tile in the tiles' order; every section
// names all the blocks a section may hold, the one of its column filled.
// After the last, the page leaves room enough for a tile to bring any
// section to the top of the view, the last too; and when the member comes
// back from an item, it opens at that item's section.
void add_sections(scope& page, const quellmark_phone_site& s, picture_set& pictures) {
    std::vector<scope>& sections = page.lists["sections"];
    bool opens_at_section = false;
    for_shown_columns(*s.site, [&](const vux_desktop_column& c) {
        scope section;
        section.texts["section"] = section_of(c);
        opens_at_section = opens_at_section || (!s.section.empty() && s.section == section.texts["section"]);
        for (const char* list : {"home", "news_block", "notices_block", "votes_block", "column_none"})
            section.lists[list];
        if (const column_page* p = page_of(c.bit))
            p->fill(section, s, pictures);
        else
            one_if(section, "column_none", true, text_item({{"label", c.label}}));
        sections.push_back(std::move(section));
    });
    const int room = sections.empty() ? 0 : view_units - line_units * lines_of(sections.back());
    one_if(page, "room", room > 0, text_item({{"room_height", std::to_string(room)}}));
    one_if(page, "opening", opens_at_section, text_item({{"section", s.section}}));
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
                const json::value& m = *json::member_at(v, i);
                if (is_piece(m))
                    member_piece(json::text(&m).substr(1), s, out);
                else
                    value(m, s, out);
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
    static bool is_piece(const json::value& v) {
        if (!json::is_text(v)) return false;
        const std::string t = json::text(&v);
        return t.size() >= 2 && t[0] == '@';
    }
    // A member whose value is "@piece": the piece's first element filled from
    // the list's first item, or null when the list is empty.
    void member_piece(const std::string& name, const scope& s, std::string& out) {
        const json::value* piece = json::member(root_, name);
        const std::vector<scope>* list = find_list(name, s);
        if (!piece || !json::is_array(*piece) || json::size(*piece) == 0 || !list) {
            if (error.empty()) error = "no list " + name + " in the template";
            out += "null";
            return;
        }
        if (list->empty() || !enter(list)) {
            if (!list->empty() && error.empty()) error = "lists nested too deeply at " + name;
            out += "null";
            return;
        }
        scope inner = list->front();
        inner.outer = &s;
        value(*json::element(*piece, 0), inner, out);
        leave();
    }
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
        if (!enter(list)) {
            if (error.empty()) error = "lists nested too deeply at " + name;
            return;
        }
        for (const scope& item : *list) {
            scope inner = item;
            inner.outer = &s;
            for (size_t i = 0; i < json::size(*piece); ++i) items(*json::element(*piece, i), inner, out, first);
        }
        leave();
    }
    // A piece that names its own list (or an outer one) would never end, and
    // one spliced into itself once per item multiplies the work at every
    // level: a list already being filled is refused, and so is one nested
    // past the limit. A list is told by what it is, not by its name: an
    // item's own list named like an outer one is another list.
    bool enter(const std::vector<scope>* list) {
        if (open_.size() >= max_depth || std::find(open_.begin(), open_.end(), list) != open_.end()) return false;
        open_.push_back(list);
        return true;
    }
    void leave() { open_.pop_back(); }
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

    static constexpr size_t max_depth = 8;
    const json::value& root_;
    std::vector<const std::vector<scope>*> open_;  // the lists being filled, outermost first
};

bool fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

// The page `name` of the template, filled from `values`, as records.
std::string build_page(const char* name, scope values, picture_set& pictures, const std::string& template_text,
                       std::string* error, std::string* source) {
    const std::string text = template_text.empty() ? builtin_template() : template_text;
    std::string why;
    json::value_ptr root = json::parse(text, &why);
    if (!root) return fail(error, "phone template: " + why), std::string();
    const json::value* page = json::member(*root, name);
    if (!page) return fail(error, std::string("phone template: no \"") + name + "\""), std::string();
    values.lists["pictures"] = std::move(pictures.items);
    values.lists["close"] = {scope{}};
    filler f(*root);
    std::string stream_json;
    f.value(*page, values, stream_json);
    if (!f.error.empty()) return fail(error, "phone template: " + f.error), std::string();
    if (source) *source = stream_json;
    vux_build_result built = vux_build_stream(stream_json);
    if (!built.ok || built.bytes.size() < 13 || built.bytes.compare(0, 4, "vux+") != 0)
        return fail(error, "phone template: " + (built.ok ? std::string("it must not be packed") : built.error)),
               std::string();
    return built.bytes.substr(9, built.bytes.size() - 13);
}

}  // namespace

QByteArray quellmark_phone_png(const QByteArray& bytes, int width, int height) {
    QImage image = QImage::fromData(bytes);
    if (image.isNull() || width <= 0 || height <= 0) return {};
    if (image.width() > width || image.height() > height)
        image = image.scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    if (!image.save(&out, "PNG")) return {};
    return png;
}

std::string quellmark_phone_colour(int32_t rgb, int32_t opacity) {
    // The top byte is the transparency: 0 opaque, 255 clear.
    const uint32_t clear = uint32_t((100 - std::clamp(opacity, 0, 100)) * 255 / 100);
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X%06X", clear, uint32_t(rgb) & 0xFFFFFFu);
    return text;
}

std::string quellmark_home_records(const std::vector<quellmark_phone_site>& sites, std::string* error,
                                   const std::string& template_text, std::string* source) {
    scope page;
    picture_set pictures;
    std::vector<scope>& list = page.lists["sites"];
    for (const quellmark_phone_site& s : sites) {
        if (!s.site) continue;
        scope item = text_item({{"key", s.key}, {"name", s.site->name.str()}});
        const shown_picture icon = pictures.add(bytes_of(s.site->icon), 36, 36);
        one_if(item, "site_icon", !icon.empty(), picture_item(icon));
        item.texts["title_left"] = icon.empty() ? "8" : "50";
        list.push_back(std::move(item));
    }
    page.texts["count"] = std::to_string(list.size());
    one_if(page, "sites_none", list.empty());
    one_if(page, "sites_some", !list.empty());
    return build_page("home_page", std::move(page), pictures, template_text, error, source);
}

std::string quellmark_site_records(const quellmark_phone_site& s, std::string* error, const std::string& template_text,
                                   std::string* source) {
    if (!s.site) return fail(error, "no site"), std::string();
    scope page = site_values(s);
    picture_set pictures;
    add_band(page, *s.site, pictures);
    add_columns(page, *s.site, pictures);
    add_sections(page, s, pictures);
    return build_page("site_page", std::move(page), pictures, template_text, error, source);
}

std::string quellmark_news_records(const quellmark_phone_site& s, const std::string& news_key, std::string* error,
                                   const std::string& template_text, std::string* source) {
    if (!s.site) return fail(error, "no site"), std::string();
    const int32_t i = s.site->news.find_by_key(vux_string(news_key));
    if (i < 0) return {};
    const vux_desktop_news& n = *s.site->news.items.at(i);
    picture_set pictures;
    scope page = item_page(s, news_key, n.time, n.picture, "news_picture", pictures);
    page.texts["section"] = page_of(column_news)->section;
    page.texts["title"] = n.title.str();
    page.texts["text"] = n.content.str();
    return build_page("news_page", std::move(page), pictures, template_text, error, source);
}

std::string quellmark_vote_records(const quellmark_phone_site& s, const std::string& vote_key, bool voted,
                                   std::string* error, const std::string& template_text, std::string* source) {
    if (!s.site) return fail(error, "no site"), std::string();
    const int32_t i = s.site->votes.find_by_key(vux_string(vote_key));
    if (i < 0) return {};
    const vux_desktop_vote& v = *s.site->votes.items.at(i);
    picture_set pictures;
    scope page = item_page(s, vote_key, v.time, v.picture, "vote_picture", pictures);
    page.texts["section"] = page_of(column_votes)->section;
    page.texts["text"] = v.content.str();
    page.lists["vote_options"] = option_items(v);
    const bool open = !voted && v.options.count() > 0;
    one_if(page, "vote_open", open);
    one_if(page, "vote_key", open);
    one_if(page, "vote_closed", !open,
           text_item({{"note", voted ? "您已经投过票了，谢谢参与！" : "这个投票没有选项。"}}));
    // The menu's choices are the options again, under a name of their own.
    page.lists["choices"] = open ? option_items(v) : std::vector<scope>{};
    return build_page("vote_page", std::move(page), pictures, template_text, error, source);
}
