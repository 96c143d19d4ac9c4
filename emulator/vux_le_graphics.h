#pragma once
#include "emulator/vux_le_image_cache.h"
#include "markup/runtime/vux_engine.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>

class vux_le_window;

// The engine's graphics host table over two back buffers of device size:
// the engine draws into the first, and saves and restores areas through
// the second. Each entry paints with its own painter, which takes the clip,
// colours and font kept here.
class vux_le_graphics {
public:
    enum colour_slot { fill, line, text, gradient, slot_count };

    vux_graphics_table table();
    void set_window(vux_le_window* window) { window_ = window; }
    // Makes both back buffers (white) and selects the default font.
    void create_buffers(int width, int height);
    const QImage& buffer() const { return draw_; }
    const vux_le_image_cache& images() const { return images_; }

    // Pixel height of a font size: (s x shorter side + 120) / 240.
    int scaled(long long size) const;

    // The entries, as the engine calls them.
    void clear(uint32_t colour);
    void set_clip(int x, int y, int w, int h);
    void set_colour(int slot, uint32_t colour);
    void move_to(int x, int y) { x_ = x, y_ = y; }
    void set_size(int w, int h) { w_ = w, h_ = h; }
    void set_width(int w) { w_ = w; }
    void set_height(int h) { h_ = h; }
    void select_font(int size, int face);
    int text_height();
    int char_width(uint16_t ch);
    void save_area(int x, int y, int w, int h);
    void restore_area(int sx, int sy, int w, int h, int x, int y);
    void rectangle(int filled, int gradient_on);
    void round_rectangle(int filled, int radius);
    void horizontal_line(int style);
    void vertical_line();
    void draw_text(const uint16_t* chars, int count, int underline);
    void texture(int mode, const char* name, const uint8_t* bytes, int length);
    void image(const char* name, const uint8_t* bytes, int length);
    void triangle(int direction);
    void ellipse(int filled, int pen_width, const uint16_t* chars, int count);

private:
    QColor opaque(int slot) const;
    QColor blended(int slot) const;
    QImage decode(const char* name, const uint8_t* bytes, int length);

    vux_le_window* window_ = nullptr;
    vux_le_image_cache images_;
    QImage draw_, save_;
    QRect clip_;
    uint32_t colours_[slot_count] = {};
    int x_ = 0, y_ = 0, w_ = 0, h_ = 0;
    QFont font_;
    bool has_font_ = false;
    int font_size_ = 0, font_face_ = 0, text_height_ = 0;

    friend struct vux_le_graphics_entries;
};
