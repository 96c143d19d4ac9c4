#include "emulator/vux_le_facility.h"
#include "emulator/vux_le_graphics.h"
#include "emulator/vux_le_persist.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <map>
#include <string>
#include "core/vux_buffer.h"
#include "core/vux_writer.h"
#include "markup/model/vux_action.h"
#include "markup/model/vux_action_show.h"
#include "markup/model/vux_brush.h"
#include "markup/model/vux_element_paragraph.h"
#include "markup/model/vux_element_scrollbar.h"
#include "markup/model/vux_element_segment.h"
#include "markup/model/vux_window.h"
#include "markup/runtime/vux_engine_handle.h"
#include "markup_screens/screens_app.h"

namespace {

// A window of sixty text lines shown at start, run on the emulator's own
// graphics table with the capabilities the emulator reports: a press and a
// drag repaint on the next tick, and the client scrolls by copying.
struct long_client_on_the_emulator {
    vux_le_persist persist;
    vux_le_facility kinds{persist};
    vux_le_graphics graphics;
    vux_graphics_table table{};
    vux_facility_table facility{};
    vux_engine* e = nullptr;
    int ticks = 0;

    long_client_on_the_emulator() {
        screens_app();
        graphics.create_buffers(314, 474);
        table = graphics.table();
        facility.user = &kinds;
        facility.supports = [](void* u, int kind) { return static_cast<vux_le_facility*>(u)->supports(kind); };
        e = vux_engine_create();
        vux_engine_set_graphics(e, &table);
        vux_engine_set_facility(e, &facility);
        vux_engine_load_private(e, nullptr, 0);
        const std::string doc = document();
        vux_engine_start_document(e, reinterpret_cast<const uint8_t*>(doc.data()), int(doc.size()));
    }
    ~long_client_on_the_emulator() { vux_engine_destroy(e); }
    long_client_on_the_emulator(const long_client_on_the_emulator&) = delete;
    long_client_on_the_emulator& operator=(const long_client_on_the_emulator&) = delete;

    static std::string document() {
        vux_window w;
        w.name = vux_string("w");
        w.client.scroll_bar = std::make_unique<vux_element_scrollbar>();
        for (int i = 0; i < 60; ++i) {
            auto p = std::make_unique<vux_element_paragraph>();
            auto s = std::make_unique<vux_element_segment>();
            const std::string text = "line " + std::to_string(i) + " of the long client";
            s->text.text = vux_unicode(std::u16string(text.begin(), text.end()));
            p->children.append(std::move(s));
            w.client.paragraphs.append(std::move(p));
        }
        vux_action show;
        auto step = std::make_unique<vux_action_show>();
        step->kind = 1;
        step->operation = 2;
        step->target = w.name;
        show.add_step(std::move(step));
        vux_brush colours;  // white ground, black text
        colours.entries.append(vux_brush::pack(1, 0xFFFFFF));
        colours.entries.append(vux_brush::pack(4, 0xFFFFFF));
        colours.entries.append(vux_brush::pack(6, 0x000000));
        vux_buffer bytes;
        vux_writer out(bytes);
        out.write_header_default();
        out.write_int32(colours.type_code());
        colours.write(out);
        out.write_int32(w.type_code());
        w.write(out);
        out.write_int32(show.type_code());
        show.write(out);
        out.write_trailer();
        return std::string(reinterpret_cast<const char*>(bytes.data()), size_t(bytes.length()));
    }

    vux_manager& m() { return *e; }
    vux_rect client() { return m().canvas().client_rect(); }
    vux_element_scrollbar& bar() {
        return *static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")))->client.scroll_bar;
    }
    void tick() { vux_engine_tick(e, ++ticks); }

    // Pixels of the client that are not its ground (the commonest colour).
    int ink(const QImage& frame) {
        const vux_rect c = client();
        std::map<QRgb, int> counts;
        for (int y = c.top(); y < c.bottom(); ++y)
            for (int x = c.left(); x < c.right(); ++x) ++counts[frame.pixel(x, y)];
        int ground = 0, total = 0;
        for (const auto& [colour, n] : counts) {
            ground = std::max(ground, n);
            total += n;
        }
        return total - ground;
    }
    // Pixels of the client that differ between two frames, and the first.
    std::string differences(const QImage& a, const QImage& b) {
        const vux_rect c = client();
        int n = 0;
        std::string first;
        for (int y = c.top(); y < c.bottom(); ++y)
            for (int x = c.left(); x < c.right(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y) && n++ == 0)
                    first = " first at " + std::to_string(x) + "," + std::to_string(y);
        return std::to_string(n) + first;
    }
};

}  // namespace

// However the content came to its offset (drag steps, a pointer move per
// tick, several moves within one tick, moves that turn back, a pull past
// the top), the frame the copy leaves is, pixel for pixel, the one a full
// repaint paints at that offset. A drag moves the offset by the pointer's
// rise from the press (by a third of it past the top).
TEST(LongClientOnTheEmulator, ScrolledFrameIsTheFullRepaintAtTheSameOffset) {
    struct row {
        const char* what;
        int drag_steps;                       // kinetic steps after the press
        std::vector<std::vector<int>> rises;  // the pointer's rise over the press, moves of each tick
        int offset;                           // the client's offset then (0: any above 0)
    };
    const row rows[] = {
        {"three drag steps", 3, {}, 0},
        {"a move per tick", 0, {{10}, {30}, {60}}, 60},
        {"three moves in one tick", 0, {{10, 30, 60}}, 60},
        {"moves that turn back within a tick", 0, {{50, 20, 40}}, 40},
        {"moves back to where it was painted", 0, {{30}, {50, 30}}, 30},
        {"pulled past the top within a tick", 0, {{-15, -45}}, -15},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        long_client_on_the_emulator phone;
        ASSERT_TRUE(phone.kinds.supports(4));
        ASSERT_TRUE(phone.bar().content_taller());
        const vux_rect c = phone.client();
        const int x = c.left() + c.width() / 2, y = c.top() + c.height() / 2;
        vux_engine_pointer(phone.e, 0, x, y);
        phone.tick();
        for (int step = 0; step < r.drag_steps; ++step) ASSERT_EQ(vux_engine_drag_step(phone.e, step == 0, 0, 0), 1);
        for (const std::vector<int>& tick : r.rises) {
            for (int rise : tick) vux_engine_pointer(phone.e, 2, x, y - rise);
            phone.tick();
        }
        if (r.offset != 0)
            EXPECT_EQ(phone.bar().y_offset, r.offset);
        else
            EXPECT_GT(phone.bar().y_offset, 0);
        const QImage scrolled = phone.graphics.buffer().copy();
        phone.m().machine().repaint_full();
        const QImage full = phone.graphics.buffer();
        ASSERT_GT(phone.ink(full), 500);
        EXPECT_EQ(phone.differences(scrolled, full), "0");
    }
}
