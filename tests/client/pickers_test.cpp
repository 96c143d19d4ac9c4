// Image packs, the grids of the pickers and the pickers themselves: the
// offset table, the built galleries, hostile packs, layout, and choosing by
// press and release.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QPushButton>
#include <QTest>

#include "client/common/orbel_resources.h"
#include "client/controls/orbel_color_list.h"
#include "client/controls/orbel_picture_list.h"
#include "client/controls/orbel_select_background.h"
#include "client/controls/orbel_select_color.h"
#include "client/controls/orbel_select_logo.h"
#include "client/controls/orbel_select_pallet.h"
#include "core/vux_buffer.h"
#include "desktop/orbel_pack_index.h"
#include "orbel_test_support.h"

namespace {

QByteArray be32(uint32_t v) {
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    return QByteArray(b, 4);
}

QByteArray pack_of(const QList<QByteArray>& images) {
    QByteArray pack = be32(uint32_t(images.size()));
    for (const QByteArray& image : images) pack += be32(uint32_t(image.size()));
    for (const QByteArray& image : images) pack += image;
    return pack;
}

QByteArray png_of(int w, int h, QColor color = Qt::red) { return orbel_test_png(w, h, color); }

std::vector<orbel_pack_entry> index_of(const QByteArray& pack) {
    return orbel_pack_index(vux_link(pack.constData(), int32_t(pack.size())));
}

TEST(ImagePack, OffsetsFollowTheSizeTable) {
    // Six images of sizes 3, 5, 7, 1, 2, 4 written by hand: count, sizes, bytes.
    QByteArray pack("\x00\x00\x00\x06", 4);
    for (uint32_t s : {3u, 5u, 7u, 1u, 2u, 4u}) pack += be32(s);
    pack += QByteArray("aaabbbbbcccccccdeeffff");
    const auto entries = index_of(pack);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].offset, 28);
    EXPECT_EQ(entries[3].offset, 28 + 3 + 5 + 7);
    EXPECT_EQ(entries[3].length, 1);
    EXPECT_EQ(pack.mid(entries[5].offset, entries[5].length), QByteArray("ffff"));
}

TEST(ImagePack, HostilePacksAreRefusedWhole) {
    struct hostile {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"shorter than the count", QByteArray("\x00\x00", 2)},
        {"count beyond the bytes", be32(3) + be32(1) + be32(1) + "ab"},
        {"count 0x40000000", be32(0x40000000) + be32(1) + "x"},
        {"sizes past the end", be32(2) + be32(1) + be32(5) + "abc"},
        {"sizes summing past 2^32", be32(2) + be32(0xFFFFFFFF) + be32(2) + "ab"},
    };
    orbel_test_app();
    for (const hostile& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(index_of(c.bytes).empty());
        orbel_picture_list grid;
        grid.set_pack(c.bytes);
        EXPECT_EQ(grid.image_count(), 0);
    }
    EXPECT_EQ(index_of(be32(0)).size(), 0u);
}

TEST(ImagePack, BuiltGalleriesHoldTheirImages) {
    orbel_test_app();
    struct gallery {
        int id;
        int count;
        QByteArray format;
        QSize size;
    } galleries[] = {{205, 32, "png", {64, 64}}, {207, 6, "jpeg", {640, 960}}, {209, 6, "jpeg", {540, 240}}};
    for (const gallery& g : galleries) {
        SCOPED_TRACE(g.id);
        vux_buffer pack;
        ASSERT_NE(orbel_load_dat_resource(g.id, pack), nullptr);
        const auto entries = orbel_pack_index(vux_link(pack.data(), pack.length()));
        ASSERT_EQ(int(entries.size()), g.count);
        for (const orbel_pack_entry& e : entries) {
            QByteArray bytes(reinterpret_cast<const char*>(pack.data()) + e.offset, e.length);
            QBuffer buffer(&bytes);
            QImageReader reader(&buffer);
            EXPECT_EQ(reader.format(), g.format);
            EXPECT_EQ(reader.size(), g.size);
        }
    }
    for (int id = 201; id <= 204; ++id) {
        auto icon = orbel_load_png_resource(id);
        ASSERT_TRUE(icon) << id;
        EXPECT_EQ(icon->image().size(), QSize(16, 16));
    }
}

TEST(Grid, LayoutOfColumnsAndCells) {
    const orbel_cell_template t{10, 10, 74, 74};
    struct layout {
        int width, columns, margin;
    } cases[] = {{500, 6, 33}, {84, 1, 10}, {83, 1, 9}, {80, 1, 8}, {0, 1, -32}};
    for (const layout& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(orbel_grid_columns(t, c.width), c.columns);
        EXPECT_EQ(orbel_grid_margin(t, c.width), c.margin);
    }
    EXPECT_EQ(orbel_grid_cell(t, 500, 0), QRect(33, 10, 64, 64));
    EXPECT_EQ(orbel_grid_cell(t, 500, 7), QRect(33 + 74, 10 + 74, 64, 64));
    EXPECT_EQ(orbel_grid_cell(t, 80, 2), QRect(8, 10 + 2 * 74, 64, 64));
    // Fitting: to the width, or to the height when that is too tall; centred.
    EXPECT_EQ(orbel_fit_rect({640, 960}, QRect(10, 10, 80, 120)), QRect(10, 10, 80, 120));
    EXPECT_EQ(orbel_fit_rect({200, 100}, QRect(0, 0, 64, 64)), QRect(0, 16, 64, 32));
    EXPECT_EQ(orbel_fit_rect({100, 200}, QRect(0, 0, 64, 64)), QRect(16, 0, 32, 64));
    EXPECT_EQ(orbel_fit_rect({0, 0}, QRect(0, 0, 64, 64)), QRect());
}

TEST(Grid, PaintsFittedPicturesWithFramesAndSkipsBrokenOnes) {
    orbel_test_app();
    orbel_picture_list grid;
    grid.resize(200, 100);
    grid.set_template({10, 10, 74, 74});
    grid.set_pack(pack_of({png_of(20, 10, Qt::blue), QByteArray("not an image"), png_of(8, 8, Qt::green)}));
    ASSERT_EQ(grid.image_count(), 3);
    const QImage shot = grid.grab().toImage();
    const QRect c0 = grid.cell_rect(0), c1 = grid.cell_rect(1), c2 = grid.cell_rect(2);
    EXPECT_EQ(shot.pixelColor(c0.center()), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(c0.left() + 2, c0.top() + 2), QColor(Qt::white));  // above the wide picture
    EXPECT_EQ(shot.pixelColor(c1.center()), QColor(Qt::white));                  // skipped
    EXPECT_EQ(shot.pixelColor(c2.topLeft() + QPoint(1, 1)), QColor(Qt::green));
}

TEST(Picker, PressAndReleaseOnACellReturnsItsBytes) {
    orbel_test_ui ui;
    vux_buffer pack;
    ASSERT_TRUE(orbel_load_dat_resource(205, pack));
    const QByteArray bytes(reinterpret_cast<const char*>(pack.data()), pack.length());
    const auto entries = index_of(bytes);
    for (int i : {0, 7, 31}) {
        SCOPED_TRACE(i);
        orbel_select_logo picker;
        EXPECT_EQ(picker.objectName(), "134");
        EXPECT_EQ(picker.windowTitle(), QStringLiteral("图标库"));
        const QPoint at = picker.grid()->cell_rect(i).center();
        QTest::mousePress(picker.grid(), Qt::LeftButton, {}, at);
        EXPECT_EQ(picker.grid()->pressed(), i);
        QTest::mouseRelease(picker.grid(), Qt::LeftButton, {}, at);
        EXPECT_EQ(picker.result(), bytes.mid(entries[size_t(i)].offset, entries[size_t(i)].length));
        EXPECT_EQ(picker.QDialog::result(), QDialog::Accepted);
        EXPECT_EQ(picker.grid()->pressed(), -1);
    }
}

TEST(Picker, ReleaseElsewhereChoosesNothingAndCancelEnds) {
    orbel_test_ui ui;
    orbel_select_background picker;
    EXPECT_EQ(picker.objectName(), "135");
    EXPECT_EQ(picker.grid()->image_count(), 6);
    picker.show();
    const QPoint first = picker.grid()->cell_rect(0).center();
    const QPoint second = picker.grid()->cell_rect(1).center();
    QTest::mousePress(picker.grid(), Qt::LeftButton, {}, first);
    QTest::mouseRelease(picker.grid(), Qt::LeftButton, {}, second);
    EXPECT_TRUE(picker.result().isEmpty());
    EXPECT_TRUE(picker.isVisible());
    EXPECT_EQ(picker.grid()->pressed(), -1);
    picker.findChild<QPushButton*>("2")->click();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.QDialog::result(), QDialog::Rejected);
    orbel_select_pallet trays;
    EXPECT_EQ(trays.objectName(), "151");
    EXPECT_EQ(trays.grid()->image_count(), 6);
}

TEST(Picker, ColourFromThePaletteOrTheSystemChooser) {
    orbel_test_ui ui;
    {
        orbel_select_color picker(0x123456);
        EXPECT_EQ(picker.windowTitle(), QStringLiteral("选择颜色"));
        const QPoint at = picker.grid()->cell_rect(8).center();
        const QImage shot = picker.grid()->grab().toImage();
        EXPECT_EQ(shot.pixel(at) & 0xFFFFFF, 0xB8C6F1u);
        QTest::mousePress(picker.grid(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(picker.grid(), Qt::LeftButton, {}, at);
        EXPECT_EQ(picker.result(), QDialog::Accepted);
        EXPECT_EQ(picker.color(), 0xB8C6F1);
    }
    {
        orbel_select_color picker(0x123456);
        ui.color_answer = std::nullopt;  // cancelled there: the picker stays
        picker.show();
        picker.findChild<QPushButton*>("1025")->click();
        EXPECT_TRUE(picker.isVisible());
        ui.color_answer = 0xABCDEF;
        picker.findChild<QPushButton*>("1025")->click();
        EXPECT_EQ(picker.result(), QDialog::Accepted);
        EXPECT_EQ(picker.color(), 0xABCDEF);
        EXPECT_EQ(ui.color_initials, QList<int>({0x123456, 0x123456}));
    }
}

}  // namespace
