#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>
#include "core/vux_writer.h"
#include "markup/model/vux_brush.h"
#include "markup/model/vux_data.h"
#include "markup/model/vux_element_box.h"
#include "markup/model/vux_element_image.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_scrollbar.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_switch.h"
#include "markup/runtime/vux_capability.h"
#include "markup_runtime/screens_fixture.h"
#include "markup_screens/screens_app.h"
#include "toolkit/vux_image_host.h"
#ifdef VUX_HAVE_BUILTIN
#include "resources/markup/vux_builtin_document.h"
#endif
#ifdef VUX_HAVE_SERVICE
#include "core/vux_record_build.h"
#include "emulator/orbel_client.h"
#include "emulator/vux_le_graphics.h"
#include "emulator/vux_le_window.h"
#include "markup/model/vux_action_go.h"
#include "markup/model/vux_menu.h"
#include "markup/model/vux_window.h"
#include "service/quellmark_phone_pages.h"
#include "tools/vux_service_network.h"
#endif

namespace {

// A fixture document as the build made it from its JSON source.
std::string document(const char* name) {
    QFile f(QString(VUX_TEST_DOCUMENTS) + "/" + name + ".vux");
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

// "scene": window "home" with a title, four lines of text (the first and
// last linked) and two soft keys, list menu "list", grid menu "grid" and
// dialog "ask". "long_client": the same window with forty lines.
// Compares the frame with its golden picture; VUX_UPDATE_GOLDEN=1 writes
// the picture instead. A mismatch leaves the frame and a difference mask
// beside the test's build folder.
void expect_golden(const QImage& frame, const char* name) {
    const QString golden = QString(VUX_GOLDEN_DIR) + "/" + name + ".png";
    if (std::getenv("VUX_UPDATE_GOLDEN")) {
        QDir().mkpath(VUX_GOLDEN_DIR);
        ASSERT_TRUE(frame.save(golden, "PNG")) << golden.toStdString();
        return;
    }
    QImage want(golden);
    ASSERT_FALSE(want.isNull()) << "no golden " << golden.toStdString() << " (VUX_UPDATE_GOLDEN=1 writes it)";
    want = want.convertToFormat(frame.format());
    if (want == frame) return;
    const QString out = QString(VUX_GOLDEN_OUT) + "/" + name;
    frame.save(out + ".actual.png", "PNG");
    QImage diff(frame.size(), QImage::Format_RGB32);
    diff.fill(Qt::black);
    if (want.size() == frame.size())
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                if (want.pixel(x, y) != frame.pixel(x, y)) diff.setPixel(x, y, 0xFFFF0000u);
    diff.save(out + ".diff.png", "PNG");
    ADD_FAILURE() << name << " differs from its golden; see " << out.toStdString() << ".actual.png and .diff.png";
}

struct Golden : ::testing::Test {
    vux_image_host host{240, 320};
    vux_engine* e = nullptr;
    void SetUp() override {
        e = vux_engine_create();
        host.attach(e);
    }
    void TearDown() override { vux_engine_destroy(e); }
    void play(const std::string& doc, std::initializer_list<const char*> script) {
        ASSERT_FALSE(doc.empty());
        vux_image_host::start(e, QByteArray(doc.data(), int(doc.size())));
        for (const char* line : script) ASSERT_TRUE(host.feed(e, line)) << line;
        host.feed(e, "tick 1");
    }
    vux_manager& m() { return *static_cast<vux_manager*>(e); }
    void show(int kind, const char* name) {
        vux_action a = action_of(show_step(kind, 2, name));
        m().runner().run(a);
        m().machine().settle(true);
    }
};

}  // namespace

TEST_F(Golden, WindowWithSoftKeys) {
    play(document("scene"), {});
    show(1, "home");
    expect_golden(host.image(), "window");
}

TEST_F(Golden, ListMenuWithASelection) {
    play(document("scene"), {});
    show(1, "home");
    ASSERT_TRUE(host.feed(e, "key 1"));
    ASSERT_TRUE(host.feed(e, "key 6"));
    expect_golden(host.image(), "list_menu");
}

TEST_F(Golden, GridMenuWithASelection) {
    play(document("scene"), {});
    show(1, "home");
    show(3, "grid");
    ASSERT_TRUE(host.feed(e, "key 4"));
    expect_golden(host.image(), "grid_menu");
}

TEST_F(Golden, DialogOverTheWindow) {
    play(document("scene"), {});
    show(1, "home");
    show(2, "ask");
    expect_golden(host.image(), "dialog");
}

TEST_F(Golden, ScrolledClientWithItsThumb) {
    play(document("long_client"), {});
    show(1, "home");
    for (const char* k : {"key 9", "key 9", "key 13"}) ASSERT_TRUE(host.feed(e, k));
    expect_golden(host.image(), "scrolled");
}

TEST_F(Golden, TouchSoftKeysInTheTitleBar) {
    host.capabilities = 1;  // a touch screen
    play(document("scene"), {});
    static_cast<vux_window*>(m().screens().find_screen(1, vux_string("home")))->commandbar.value_3 = 1;
    show(1, "home");
    expect_golden(host.image(), "touch_soft_keys");
}

// The clocks end to end, through the renderer's event lines: a paragraph
// with a countdown of one clock period (seven ticks) shows its green box
// until the period ends and is gone from the next frame.
TEST_F(Golden, ExpiringParagraphLeavesTheScreenOnTheClock) {
    vux_window w;
    w.name = vux_string("w");
    auto p = std::make_unique<vux_element_paragraph>();
    p->countdown = 1;
    auto b = std::make_unique<vux_element_box>();
    b->height = 200;
    b->ground = 0x00FF00;
    p->children.append(std::move(b));
    w.client.paragraphs.append(std::move(p));
    vux_action start = action_of(show_step(1, 2, "w"));
    vux_buffer bytes;
    vux_writer out(bytes);
    out.write_header_default();
    out.write_int32(w.type_code());
    w.write(out);
    out.write_int32(start.type_code());
    start.write(out);
    out.write_trailer();
    const std::string doc(reinterpret_cast<const char*>(bytes.data()), size_t(bytes.length()));
    auto green = [&] {
        const QRgb c = host.image().pixel(120, 160);
        return qRed(c) == 0 && qGreen(c) == 255 && qBlue(c) == 0;
    };
    play(doc, {"tick 5"});  // six ticks with play's own
    EXPECT_TRUE(green());
    ASSERT_TRUE(host.feed(e, "tick 1"));  // the seventh: the period ends
    EXPECT_TRUE(green());
    ASSERT_TRUE(host.feed(e, "tick 1"));  // the frame that follows
    EXPECT_FALSE(green());
}

namespace {

// The renderer run on "scene" made to show its window at start, with a
// script that opens the list menu and moves to its second item.
QImage render(const QStringList& options) {
    std::string doc = document("scene");
    vux_action start;
    start.add_step(show_step(1, 2, "home"));
    doc.insert(doc.size() - 4, [&] {
        vux_buffer bytes;
        vux_writer w(bytes);
        w.write_int32(start.type_code());
        start.write(w);
        return std::string(reinterpret_cast<const char*>(bytes.data()), size_t(bytes.length()));
    }());
    QTemporaryDir dir;
    QFile file(dir.filePath("scene.vux"));
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly)) return {};
    file.write(doc.data(), qint64(doc.size()));
    file.close();
    QFile script(dir.filePath("script.txt"));
    if (!script.open(QIODevice::WriteOnly)) return {};
    script.write("# open the menu, then the second item\nkey 1\nkey 6\n");
    script.close();
    const QString out = dir.filePath("out.png");
    QProcess run;
    run.start(VUX_RENDER, options + QStringList{"--script", script.fileName(), "-o", out, file.fileName()});
    if (!run.waitForFinished(30000) || run.exitCode() != 0) {
        ADD_FAILURE() << run.readAllStandardError().toStdString();
        return {};
    }
    return QImage(out);
}

}  // namespace

// The renderer draws what the tests draw.
TEST_F(Golden, RendererWritesTheSameFrame) {
    const QImage frame = render({"--size", "240x320"});
    ASSERT_FALSE(frame.isNull());
    expect_golden(frame.convertToFormat(QImage::Format_RGB32), "list_menu");
}

// On the emulator's own graphics table the frame depends on the machine's
// fonts, so it is only checked for being drawn: the screen's size, and the
// title, the text and the menu in more than a few colours.
TEST_F(Golden, RendererDrawsWithTheEmulatorsTable) {
    const QImage frame = render({"--host", "emulator", "--size", "314x474"});
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(frame.size(), QSize(314, 474));
    std::set<QRgb> colours;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) colours.insert(frame.pixel(x, y));
    EXPECT_GT(colours.size(), 4u);
}

namespace {

std::unique_ptr<vux_element_paragraph> paragraph_with(std::unique_ptr<vux_object> child) {
    auto p = std::make_unique<vux_element_paragraph>();
    p->children.append(std::move(child));
    return p;
}

std::unique_ptr<vux_element_segment> segment_of(const char16_t* text) {
    auto s = std::make_unique<vux_element_segment>();
    s->text.text = vux_unicode(text);
    return s;
}

std::unique_ptr<vux_element_box> box_of(const char16_t* text) {
    auto b = std::make_unique<vux_element_box>();
    b->text.text = vux_unicode(text);
    b->height = 30;
    b->margin_left = 4;
    b->margin_right = 4;
    return b;
}

// Every element kind in one window: plain, linked, focused-link, icon and
// rule segments; boxes with ground and border, a link box, a triangle and a
// note; an image with its label; a scroll bar; a title, a notice line, two
// soft keys and a switch with a badge. Beside it a menu of every style.
std::string every_kind() {
    auto w = std::make_unique<vux_window>();
    w->name = vux_string("home");
    w->titlebar.title = vux_unicode(u"Every element kind");
    w->extras.append_cstr("A notice line that is longer than the strip it is shown in");
    w->commandbar.left = command_of("Menu", vux_action());
    w->commandbar.right = command_of("Back", vux_action());
    w->client.scroll_bar = std::make_unique<vux_element_scrollbar>();
    vux_object_list& ps = w->client.paragraphs;
    ps.append(paragraph_with(segment_of(u"Plain text of a segment")));
    auto link = segment_of(u"A link");
    link->hyperlink = std::make_unique<vux_hyperlink>();
    link->hyperlink->flags |= 1 << 1;  // underlined
    ps.append(paragraph_with(std::move(link)));
    auto lit = segment_of(u"A focused link");
    lit->hyperlink = std::make_unique<vux_hyperlink>();
    lit->hyperlink->set_focused(true);
    ps.append(paragraph_with(std::move(lit)));
    auto filled = segment_of(u"A filled link");
    filled->hyperlink = std::make_unique<vux_hyperlink>();
    filled->hyperlink->flags |= 1 << 8;
    ps.append(paragraph_with(std::move(filled)));
    auto icon = segment_of(u"With an icon");
    icon->icon = std::make_unique<vux_icon>();
    icon->icon->name = vux_string("pic");
    ps.append(paragraph_with(std::move(icon)));
    auto rule = segment_of(u"");
    rule->flags |= 1;
    ps.append(paragraph_with(std::move(rule)));
    auto grounded = box_of(u"Box with ground and border");
    grounded->ground = 0x00E0F0E0;
    grounded->border = 0x00FF0000;
    grounded->border_indent = 2;
    ps.append(paragraph_with(std::move(grounded)));
    auto linked = box_of(u"Linked box, focused");
    linked->flags &= ~(1 << 3);  // not flat: drawn in its link's colours
    linked->hyperlink = std::make_unique<vux_hyperlink>();
    linked->hyperlink->set_focused(true);
    ps.append(paragraph_with(std::move(linked)));
    auto arrow = box_of(u"");
    arrow->triangle = 3;
    arrow->width = 30;
    ps.append(paragraph_with(std::move(arrow)));
    auto note = box_of(u"A note");
    note->flags |= 1 << 20;
    ps.append(paragraph_with(std::move(note)));
    auto image = std::make_unique<vux_element_image>();
    image->name = vux_string("pic");
    image->primary = vux_string("pic");
    image->width = 40;
    image->height = 40;
    image->text.text = vux_unicode(u"Image label");
    ps.append(paragraph_with(std::move(image)));
    for (int i = 0; i < 8; ++i) ps.append(paragraph_with(segment_of(u"More lines to scroll")));

    vux_switch tabs;
    tabs.name = vux_string("tabs");
    const int32_t values[] = {0, 240, 240, 26, 60, 26, 1, 0, 0, 0, 4, 0x00C08080, 0x0080C080};
    std::copy(std::begin(values), std::end(values), tabs.values.begin());
    for (const char* label : {"one", "two", "three"}) tabs.commands.append(command_of(label, vux_action()));
    static_cast<vux_element_command*>(tabs.commands.get(1))->badge = vux_string("unread");
    w->third = vux_string("tabs");
    w->value_4 = 0;

    vux_data pic;
    pic.name = vux_string("pic");
    pic.flags = 1;
    doc_builder doc;
    vux_brush brush;
    for (int32_t key = 1; key <= 76; ++key)
        brush.entries.append(vux_brush::pack(
            key, int32_t(uint32_t((key * 37 + 16) & 0xFF) << 16 | uint32_t((key * 91 + 8) & 0xFF) << 8 | 0xC0)));
    brush.entries.append(vux_brush::pack(1, 0xFFFFFF));
    brush.entries.append(vux_brush::pack(15, 0xFFFFFF));
    doc.add(brush).add(pic).add(tabs).add(*w);
    for (int32_t style = 1; style <= 8; ++style) {
        vux_menu menu;
        menu.name = vux_string("style" + std::to_string(style));
        menu.style = style;
        menu.layout_1 = 120;
        menu.layout_2 = 2;
        menu.layout_3 = 4;
        menu.layout_4 = 4;
        menu.layout_7 = 4;
        for (const char* label : {"First", "Second", "Third"}) {
            auto c = command_of(label, vux_action());
            c->icon = vux_string("pic");
            c->normal_image = vux_string("pic");
            menu.commands.append(std::move(c));
        }
        doc.add(menu);
    }
    vux_action start = action_of(show_step(1, 2, "home"), set_step("unread", "2"));
    return doc.add(start).done();
}

}  // namespace

// Every element kind, and over it each menu style in turn.
TEST_F(Golden, EveryElementKindAndMenuStyle) {
    play(every_kind(), {});
    expect_golden(host.image(), "every_kind");
    for (int32_t style = 1; style <= 8; ++style) {
        SCOPED_TRACE(style);
        show(3, ("style" + std::to_string(style)).c_str());
        expect_golden(host.image(), ("menu_style_" + std::to_string(style)).c_str());
        vux_action close = action_of(show_step(3, 4, ("style" + std::to_string(style)).c_str()));
        m().runner().run(close);
        m().machine().settle(true);
    }
}

#ifdef VUX_HAVE_BUILTIN
// The built-in document as the host starts it: its start window, and the
// status of the first connect over it (this host has no network).
TEST_F(Golden, BuiltInStartWindowWithTheStatusOverIt) {
    play(std::string(reinterpret_cast<const char*>(vux_builtin_document_data), size_t(vux_builtin_document_size)),
         {"call __function_no_exit", "tick 2"});
    expect_golden(host.image(), "builtin_start");
}
#endif

#ifdef VUX_HAVE_SERVICE
// The built-in document registers, enters and shows the demo site as the
// local service sends it.
struct DemoSite : Golden {
    vux_service_network network;
    vux_window& window(const char* name) {
        return *static_cast<vux_window*>(m().screens().find_screen(1, vux_string(name)));
    }
    // The placed tiles of the site page, in the page's order.
    std::vector<const vux_element_box*> tiles() {
        std::vector<const vux_element_box*> out;
        const vux_element_paragraph* columns = window("__window_site").client.find_paragraph(vux_string("columns"));
        if (!columns) return out;
        for (int32_t i = 0; i < columns->children.count(); ++i)
            if (const auto* b = dynamic_cast<const vux_element_box*>(columns->children.get(i)); b && b->link())
                out.push_back(b);
        return out;
    }
    // A point inside a placed box of the site's client, on the screen.
    QPoint on_screen(const vux_element_box& b, int dx, int dy) {
        const vux_element_client& client = window("__window_site").client;
        return QPoint(client.view_rect.x + b.left_x() + dx,
                      client.view_rect.y + b.top_y() - client.scroll_bar->y_offset + dy);
    }
    void show_site() {
        host.session_text = "demo@quellmark.com q0000101";
        ASSERT_TRUE(network.service.state().load_demo());
        network.attach(e);
        play(std::string(reinterpret_cast<const char*>(vux_builtin_document_data), size_t(vux_builtin_document_size)),
             {"call __function_no_exit"});
        ASSERT_TRUE(network.run_until_ok(e, host, "__window_site"));
        ASSERT_TRUE(host.feed(e, "tick 2"));
    }
};

TEST_F(DemoSite, AsTheServiceSendsIt) {
    show_site();
    expect_golden(host.image(), "demo_site");
}

// The site is taller than the screen: the Down arrow goes through the
// tiles first (each is a link), then moves the content.
TEST_F(DemoSite, DownArrowGoesThroughTheTilesThenScrolls) {
    show_site();
    vux_window& site = window("__window_site");
    ASSERT_NE(site.client.scroll_bar, nullptr);
    EXPECT_TRUE(site.client.can_scroll_down());
    const QImage before = host.image().copy();
    ASSERT_TRUE(host.feed(e, "key 6"));
    EXPECT_EQ(site.client.scroll_bar->y_offset, 0);
    const vux_layout& layout = *site.client.current_layout();
    const int32_t focused = layout.find_focused_item();
    ASSERT_GE(focused, 0);
    const std::vector<const vux_element_box*> shown = tiles();
    EXPECT_NE(std::find(shown.begin(), shown.end(), layout.items[size_t(focused)]), shown.end()) << "a tile";
    for (int i = 0; i < 12 && site.client.scroll_bar->y_offset == 0; ++i) ASSERT_TRUE(host.feed(e, "key 6"));
    EXPECT_GT(site.client.scroll_bar->y_offset, 0);
    EXPECT_NE(host.image(), before);
}

TEST_F(DemoSite, DraggingUpScrollsTheSite) {
    show_site();
    auto* site = static_cast<vux_window*>(m().screens().find_screen(1, vux_string("__window_site")));
    ASSERT_NE(site, nullptr);
    ASSERT_NE(site->client.scroll_bar, nullptr);
    const vux_layout_rect v = site->client.view_rect;
    const int32_t x = v.x + v.w / 2, y = v.y + v.h * 3 / 4;
    const QImage before = host.image().copy();
    ASSERT_TRUE(host.feed(e, "press " + std::to_string(x) + " " + std::to_string(y)));
    for (int32_t d = 10; d <= v.h / 2; d += 10)
        ASSERT_TRUE(host.feed(e, "move " + std::to_string(x) + " " + std::to_string(y - d)));
    ASSERT_TRUE(host.feed(e, "release " + std::to_string(x) + " " + std::to_string(y - v.h / 2)));
    for (int t = 0; t < 6; ++t) ASSERT_TRUE(host.feed(e, "tick 1"));
    EXPECT_GT(site->client.scroll_bar->y_offset, 0);
    EXPECT_NE(host.image(), before);
}

// Every tile leads to its column: a tap scrolls the page to the top of the
// column's section, and a column the phone has
// no page for says so there. Pressed, a tile darkens to 60 % of its colour
// (on a touch screen, as the emulator's, only then; focused by the keys on
// another screen, too).
TEST_F(DemoSite, EachTileScrollsToItsColumnAndShowsItselfPressed) {
    host.capabilities |= 1u << capability_touch;
    show_site();
    vux_window& site = window("__window_site");
    vux_element_scrollbar& bar = *site.client.scroll_bar;
    const vux_desktop_site& record = *network.service.state().find_site("q0000101");
    const struct {
        const char16_t* label;
        const char* section;
        int32_t key;  // of the column's colour in the site's brush
    } columns[] = {{u"主页", "home", 1},
                   {u"新闻", "news", 2},
                   {u"通知", "notices", 3},
                   {u"私信", "column_6", 6},
                   {u"投票", "votes", 7}};
    const std::vector<const vux_element_box*> shown = tiles();
    ASSERT_EQ(shown.size(), std::size(columns));
    for (size_t i = 0; i < shown.size(); ++i) {
        const auto& c = columns[i];
        SCOPED_TRACE(c.section);
        const vux_element_box& tile = *shown[i];
        EXPECT_EQ(tile.text.text.view(), c.label);
        bar.y_offset = 0;
        m().machine().settle(true);
        // Away from its name, the tile shows its colour; pressed, the
        // darker one.
        const QPoint corner = on_screen(tile, 2, 2);
        const QColor colour = QColor::fromRgb(QRgb(record.brush.value_of(c.key, 0)));
        const QColor pressed(colour.red() * 3 / 5, colour.green() * 3 / 5, colour.blue() * 3 / 5);
        EXPECT_EQ(host.image().pixelColor(corner).name(), colour.name());
        const QPoint middle = on_screen(tile, tile.right_x() - tile.left_x() - 8, 8);
        const std::string at = std::to_string(middle.x()) + " " + std::to_string(middle.y());
        ASSERT_TRUE(host.feed(e, "press " + at) && host.feed(e, "tick 1"));
        EXPECT_EQ(host.image().pixelColor(corner).name(), pressed.name());
        ASSERT_TRUE(host.feed(e, "release " + at) && host.feed(e, "tick 3"));

        const vux_element_paragraph* section = site.client.find_paragraph(vux_string(c.section));
        ASSERT_NE(section, nullptr);
        // The page leaves room after its last section: every section comes
        // to the top, none stops at the same end-of-page view.
        EXPECT_EQ(bar.y_offset, section->top_y);
        EXPECT_GT(bar.y_offset, 0);
        EXPECT_LT(section->top_y - bar.y_offset, bar.view_height) << "the section is in view";
    }
    const vux_element_paragraph* messages = site.client.find_paragraph(vux_string("column_6"));
    bool says_so = false;
    for (int32_t i = 0; i < messages->children.count(); ++i)
        if (const auto* b = dynamic_cast<const vux_element_box*>(messages->children.get(i)))
            says_so = says_so || b->text.text.view() == u"手机上还不能查看私信。";
    EXPECT_TRUE(says_so);
}

// The tiles keep their margin on both sides: the right-hand ones as far
// from the scroll bar's track as the left-hand ones from the view's edge.
TEST_F(DemoSite, RightHandTilesKeepClearOfTheScrollBar) {
    show_site();
    const vux_window& site = window("__window_site");
    const vux_rect& track = site.client.scroll_bar->track_v;
    ASSERT_FALSE(track.is_empty());
    const std::vector<const vux_element_box*> shown = tiles();
    ASSERT_GE(shown.size(), 2u);
    const QImage& frame = host.image();
    const QColor ground = frame.pixelColor(on_screen(*shown[1], 2, 2));
    const int y = on_screen(*shown[1], 0, 2).y();
    int right = track.left() - 1;
    while (right > 0 && frame.pixelColor(right, y) != ground) --right;
    const int left_margin = on_screen(*shown[0], 0, 0).x() - site.client.view_rect.x;
    EXPECT_EQ(left_margin, m().canvas().scale(6));
    EXPECT_GE(track.left() - (right + 1), left_margin);
}

// The vote page's menu: its items' texts in the page's own colours, dark on
// the menu's light ground and light on the highlight, each clearly apart
// from what it stands on, and inset from the item's edge by the menu's
// margin.
// Drawn as the emulator draws it: its fonts, its menu textures.
struct DemoSiteOnTheEmulator : DemoSite {
    struct blob_window : vux_le_window {
        QByteArray blob = orbel_client_default_setup().blob;
        QByteArray image_blob() override { return blob; }
    } blob;
    vux_le_graphics graphics;
    vux_graphics_table table{};
    void SetUp() override {
        DemoSite::SetUp();
        screens_app();
        graphics.set_window(&blob);
        graphics.create_buffers(240, 320);
        table = graphics.table();
        vux_engine_set_graphics(e, &table);
    }
};

TEST_F(DemoSiteOnTheEmulator, VoteMenuTextsStandOutFromTheirGround) {
    show_site();
    vux_action open_vote;
    auto go = std::make_unique<vux_action_go>();
    go->code = quellmark_go_vote;
    go->target_1 = vux_string("q0000101");
    go->target_2 = vux_string("1");
    open_vote.add_step(std::move(go));
    m().runner().run(open_vote);
    ASSERT_TRUE(network.run_until_ok(e, host, "__window_vote"));
    ASSERT_TRUE(host.feed(e, "key 1") && host.feed(e, "tick 1"));  // "投票"
    auto* menu = static_cast<vux_menu*>(m().screens().menus.top());
    ASSERT_NE(menu, nullptr);
    ASSERT_GE(menu->count(), 2);

    // The page's own brush.
    const quellmark_phone_site phone{"q0000101", network.service.state().find_site("q0000101"), {}, {}};
    std::string source, error;
    ASSERT_FALSE(quellmark_vote_records(phone, "1", false, &error, {}, &source).empty()) << error;
    namespace json = vux_record_build;
    const json::value_ptr root = json::parse(source);
    ASSERT_TRUE(root);
    std::map<int, QColor> brush;
    const json::value* records = json::member(*root, "records");
    for (size_t i = 0; records && i < json::size(*records); ++i) {
        const json::value& r = *json::element(*records, i);
        if (json::text(json::member(r, "class")) != "vux_brush") continue;
        const json::value* entries = json::member(*json::member(r, "fields"), "entries");
        for (size_t k = 0; k < json::size(*entries); ++k) {
            const long long v = json::number(json::element(*entries, k));
            brush[int(v >> 24)] = QColor::fromRgb(QRgb(v & 0xFFFFFF));
        }
    }
    for (int key : {29, 30, 33, 34}) ASSERT_TRUE(brush.count(key)) << key;
    // WCAG's contrast ratio of two colours.
    auto luminance = [](const QColor& c) {
        auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
    };
    auto contrast = [&](const QColor& a, const QColor& b) {
        const double x = luminance(a) + 0.05, y = luminance(b) + 0.05;
        return std::max(x, y) / std::min(x, y);
    };
    EXPECT_GE(contrast(brush[29], brush[34]), 4.5) << "text on the menu";
    EXPECT_GE(contrast(brush[30], brush[33]), 4.5) << "text on the highlight";

    // On the screen: the lit first item's text in 30, the second's in 29
    // (its glyphs' solid strokes, edges smoothed), each starting the
    // menu's margin in from its item's left.
    const QImage frame = graphics.buffer().convertToFormat(QImage::Format_RGB32);
    if (const QString shots = qEnvironmentVariable("VUX_SHOT_DIR"); !shots.isEmpty())
        frame.save(shots + "/phone_vote_menu.png");
    const int32_t margin = m().canvas().metric(11);
    for (int32_t i : {0, 1}) {
        const vux_rect& item = menu->command(i)->rect;
        const QColor ink = brush[i == menu->selected ? 30 : 29];
        int first = item.right();
        // the middle of its rows, clear of the highlight's rounded corners
        for (int y = item.top() + item.height() / 4; y < item.bottom() - item.height() / 4; ++y)
            for (int x = item.left(); x < item.right(); ++x)
                if (const QColor c = frame.pixelColor(x, y); std::abs(c.red() - ink.red()) < 24 &&
                                                             std::abs(c.green() - ink.green()) < 24 &&
                                                             std::abs(c.blue() - ink.blue()) < 24)
                    first = std::min(first, x);
        ASSERT_LT(first, item.right()) << "no text in " << ink.name().toStdString() << " in item " << i;
        EXPECT_GE(first - item.left(), margin) << "item " << i;
    }
}

// The title bar's text stands out from its band as the emulator draws it:
// on the middle row of the bar, the text's strokes against the band beside
// them reach at least the contrast asked of large text (3:1).
TEST_F(DemoSiteOnTheEmulator, TitleTextStandsOutFromItsBand) {
    show_site();
    const QImage frame = graphics.buffer().convertToFormat(QImage::Format_RGB32);
    const vux_rect bar = m().canvas().title_bar_rect();
    ASSERT_FALSE(bar.is_empty());
    auto luminance = [](const QColor& c) {
        auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
    };
    const int y = bar.top() + bar.height() / 2;
    const double ground = luminance(frame.pixelColor(bar.left() + 2, y)) + 0.05;
    double best = 1;
    for (int x = bar.left(); x < bar.right(); ++x) {
        const double ink = luminance(frame.pixelColor(x, y)) + 0.05;
        best = std::max(best, std::max(ink, ground) / std::min(ink, ground));
    }
    EXPECT_GE(best, 3.0);
}

// A vote is cast with the mouse as with the keys: a tap on an option of the
// vote's menu, or the menu's own left soft key "投票" once an option is
// selected, takes that option, and the page comes back with its count one
// higher; the right soft key "取消" and Escape close the menu, count
// nothing and leave the vote's page in front.
struct DemoVote : DemoSite, ::testing::WithParamInterface<int> {};

TEST_P(DemoVote, ATapOrTheSoftKeyOnAnOptionCastsTheVote) {
    enum { tap, soft_key, cancel, escape };
    show_site();
    vux_action open_vote;
    auto go = std::make_unique<vux_action_go>();
    go->code = quellmark_go_vote;
    go->send = 1;
    go->target_1 = vux_string("q0000101");
    go->target_2 = vux_string("1");
    open_vote.add_step(std::move(go));
    m().runner().run(open_vote);
    ASSERT_TRUE(network.run_until_ok(e, host, "__window_vote"));
    ASSERT_TRUE(host.feed(e, "key 1") && host.feed(e, "tick 1"));  // the page's "投票" opens the menu
    auto* menu = static_cast<vux_menu*>(m().screens().menus.top());
    ASSERT_NE(menu, nullptr);
    ASSERT_GE(menu->count(), 2);
    const vux_desktop_vote& vote = *network.service.state().find_site("q0000101")->votes.items.at(0);
    const int32_t before = vote.count_of(1);
    if (GetParam() == tap) {
        const vux_rect& r = menu->command(1)->rect;
        const std::string at =
            std::to_string((r.left() + r.right()) / 2) + " " + std::to_string((r.top() + r.bottom()) / 2);
        ASSERT_TRUE(host.feed(e, "press " + at) && host.feed(e, "release " + at));
    } else {
        ASSERT_TRUE(host.feed(e, "key 6"));  // the second option
        ASSERT_EQ(menu->selected, 1);
        ASSERT_TRUE(host.feed(e, GetParam() == soft_key ? "key 1" : GetParam() == cancel ? "key 2" : "key 7"));
    }
    for (int t = 0; t < 20; ++t) {
        network.answer(e);
        ASSERT_TRUE(host.feed(e, "tick 1"));
    }
    EXPECT_EQ(m().screens().menus.count(), 0) << "the menu closed";
    const bool counted = GetParam() == tap || GetParam() == soft_key;
    EXPECT_EQ(vote.count_of(1), counted ? before + 1 : before);
    EXPECT_EQ(m().screens().windows.top(), &window("__window_vote"));
}
INSTANTIATE_TEST_SUITE_P(Ways, DemoVote, ::testing::Values(0, 1, 2, 3));

// The site's texts stack: the name, the introduction, each news item's title
// and date, and so on: no two texts are drawn over each other (pictures and
// grounds lie under texts by design).
TEST_F(DemoSite, ItsTextsStackWithoutOverlapping) {
    show_site();
    auto* site = static_cast<vux_window*>(m().screens().find_screen(1, vux_string("__window_site")));
    ASSERT_NE(site, nullptr);
    vux_layout* layout = site->client.current_layout();
    ASSERT_NE(layout, nullptr);
    std::vector<const vux_element_box*> texts;
    for (vux_record* r : layout->items)
        if (r->type_code() == vux_element_box::code) {
            const auto* b = static_cast<const vux_element_box*>(r);
            if (b->text.text.length() > 0) texts.push_back(b);
        }
    ASSERT_GE(texts.size(), 6u);
    for (size_t i = 0; i < texts.size(); ++i) {
        const vux_element_box& a = *texts[i];
        EXPECT_LT(a.top_y(), a.bottom_y()) << i;
        for (size_t k = i + 1; k < texts.size(); ++k) {
            const vux_element_box& b = *texts[k];
            const bool apart = a.bottom_y() <= b.top_y() || b.bottom_y() <= a.top_y() || a.right_x() <= b.left_x() ||
                               b.right_x() <= a.left_x();
            EXPECT_TRUE(apart) << "text " << k << " overlaps text " << i;
        }
    }
}
#endif

#ifdef VUX_HAVE_SERVICE
namespace {

// Markup units to pixels on the phone's 314-pixel-wide screen.
int px(int units) { return (units * 314 + 120) / 240; }

QColor blend(QColor over, QColor under, int opacity) {
    auto mix = [&](int a, int b) { return (a * opacity + b * (100 - opacity)) / 100; };
    return QColor(mix(over.red(), under.red()), mix(over.green(), under.green()), mix(over.blue(), under.blue()));
}
bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}
// The first row at or below `from` where `rows` rows in a row hold a colour
// near `want` at x; -1 when there is none.
int run_of(const QImage& frame, int x, int from, QColor want, int tolerance, int rows) {
    for (int y = std::max(from, 0), run = 0; y < frame.height(); ++y) {
        run = near(frame.pixelColor(x, y), want, tolerance) ? run + 1 : 0;
        if (run >= rows) return y - rows + 1;
    }
    return -1;
}

}  // namespace

// The service's site pages as the emulator draws them, one per demo site
// members see: the title band in the site's tray colour (or its tray
// picture's), and the column tiles in the column colours at the column
// opacity over the client's white ground or the column background.
TEST(PhoneScreens, EachDemoSiteInItsOwnColours) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile builtin(dir.filePath("builtin.dat"));
    ASSERT_TRUE(builtin.open(QIODevice::WriteOnly));
    builtin.write(reinterpret_cast<const char*>(vux_builtin_document_data), qint64(vux_builtin_document_size));
    builtin.close();
    quellmark_service service;
    ASSERT_TRUE(service.state().load_demo());
    const char* sites[][2] = {
        {"demo@quellmark.com", "q0000101"}, {"demo@quellmark.com", "q0000103"}, {"ruth@quellmark.com", "q0000104"}};
    // The tiles' colour keys in the brush and their defaults, in the order of
    // the column bits.
    const struct {
        int32_t bit, key, colour;
    } columns[] = {{0x2, 1, 0xE21BA1},  {0x4, 2, 0x1BA1E2},  {0x8, 3, 0xF09609},  {0x10, 4, 0xD55111},
                   {0x20, 5, 0x9700FF}, {0x40, 6, 0xF70962}, {0x80, 7, 0x8CBF26}, {0x100, 8, 0x26BF26}};
    for (const auto& [account, key] : sites) {
        SCOPED_TRACE(key);
        const vux_desktop_site& site = *service.state().find_site(key);
        const QString out = dir.filePath(QString(key) + ".png");
        QProcess run;
        run.start(VUX_RENDER,
                  {"--host", "emulator", "--size", "314x474", "--service", QString("%1 %2").arg(account, key),
                   "--until", "__window_site", "--ticks", "2", "-o", out, builtin.fileName()});
        ASSERT_TRUE(run.waitForFinished(60000));
        ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
        const QImage frame = QImage(out).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(frame.size(), QSize(314, 474));
        if (const QString shots = qEnvironmentVariable("VUX_SHOT_DIR"); !shots.isEmpty())
            frame.save(shots + "/phone_" + key + ".png");

        // The band, right of the icon and the name, near the top.
        const QImage tray = QImage::fromData(site.tray_picture.data(), site.tray_picture.length());
        const QColor band = tray.isNull() ? QColor::fromRgb(QRgb(site.tray_color))
                                          : tray.pixelColor(tray.width() * 19 / 20, tray.height() / 2);
        const int band_top = run_of(frame, 300, 0, band, tray.isNull() ? 2 : 24, px(24));
        ASSERT_GE(band_top, 0) << "no band in " << band.name().toStdString();
        EXPECT_LT(band_top, 80);
        // 48 units high, or as high as the tray picture is at the screen's
        // width (30 to 100 units)
        const int band_units = tray.isNull() ? 48 : std::clamp(240 * tray.height() / tray.width(), 30, 100);
        const int below_band = band_top + px(band_units);

        // The first two tiles, at their left edges, below the band.
        const QImage ground = QImage::fromData(site.background.data(), site.background.length());
        int shown = 0;
        for (const auto& c : columns) {
            if (!(site.columns & c.bit) || shown == 2) continue;
            const QColor colour = QColor::fromRgb(QRgb(site.brush.value_of(c.key, c.colour)));
            // The left-hand tile 6 units in from the client's indent, the
            // right-hand one ending 10 units (its margin and the scroll
            // bar's 4) before the client's right.
            const int x = shown == 0 ? px(2) + px(6) + 3 : 314 - px(2) - px(10 + 106) + 3;
            // Over white the colour is mixed exactly; over a picture it stays
            // within what the opacity lets through.
            const int opacity = site.brush.opacity;
            const QColor want = ground.isNull() ? blend(colour, Qt::white, opacity) : colour;
            const int tolerance = ground.isNull() ? 4 : (100 - opacity) * 255 / 100 + 6;
            const int tile_top = run_of(frame, x, below_band, want, tolerance, px(48) - 4);
            EXPECT_GE(tile_top, 0) << "tile " << shown << " not in " << colour.name().toStdString();
            if (tile_top < 0) continue;
            // The tile's edges on its top row, and its white name placed
            // by the site's column alignment (0 left, 1 centre, 2 right)
            // between them.
            int tile_left = x, tile_right = x;
            while (tile_left > 0 && near(frame.pixelColor(tile_left - 1, tile_top + 1), want, tolerance)) --tile_left;
            while (tile_right + 1 < frame.width() &&
                   near(frame.pixelColor(tile_right + 1, tile_top + 1), want, tolerance))
                ++tile_right;
            int first = tile_right + 1, last = tile_left - 1;
            for (int y = tile_top; y < tile_top + px(48) - 4; ++y)
                for (int tx = tile_left; tx <= tile_right; ++tx) {
                    const QColor c = frame.pixelColor(tx, y);
                    if (std::min({c.red(), c.green(), c.blue()}) > 230)
                        first = std::min(first, tx), last = std::max(last, tx);
                }
            ASSERT_LE(first, last) << "no name in tile " << shown;
            const int before = first - tile_left, after = tile_right - last;
            // The text's inset is 6 units; a glyph may start a little inside.
            if (site.column_align == 0) {
                EXPECT_LE(before, px(6) + 6) << "tile " << shown;
            } else if (site.column_align == 1) {
                EXPECT_NEAR(before, after, 3) << "tile " << shown;
            } else {
                EXPECT_LE(after, px(6) + 6) << "tile " << shown;
            }
            EXPECT_GT(tile_right - tile_left, px(100)) << "tile " << shown;
            ++shown;
        }
        EXPECT_GT(shown, 0);
    }
}
#endif
