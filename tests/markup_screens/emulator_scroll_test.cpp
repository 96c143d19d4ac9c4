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
// graphics table with the capabilities the emulator reports.
struct LongClientOnTheEmulator : ::testing::Test {
    vux_le_persist persist;
    vux_le_facility kinds{persist};
    vux_le_graphics graphics;
    vux_graphics_table table{};
    vux_facility_table facility{};
    vux_engine* e = nullptr;

    LongClientOnTheEmulator() {
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
    ~LongClientOnTheEmulator() override { vux_engine_destroy(e); }

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
};

}  // namespace

// A drag step scrolls by copying: what stays in view is moved, not blanked,
// so the client shows as much text as a full repaint at the same position.
TEST_F(LongClientOnTheEmulator, drag_step_keeps_the_content_in_view) {
    ASSERT_TRUE(m().facility().supports(4));
    vux_window* w = static_cast<vux_window*>(m().screens().find_screen(1, vux_string("w")));
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->client.scroll_bar->content_taller());
    const vux_rect c = client();
    vux_engine_pointer(e, 0, c.left() + c.width() / 2, c.top() + c.height() / 2);
    for (int step = 0; step < 3; ++step) ASSERT_EQ(vux_engine_drag_step(e, step == 0, 0, 0), 1);
    ASSERT_GT(w->client.scroll_bar->y_offset, 0);
    const int dragged = ink(graphics.buffer());
    m().machine().repaint_full();
    const int full = ink(graphics.buffer());
    ASSERT_GT(full, 500);
    EXPECT_NEAR(dragged, full, full / 20) << "dragged " << dragged << ", repainted " << full;
}
