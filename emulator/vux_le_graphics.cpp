#include "emulator/vux_le_graphics.h"

#include "emulator/vux_le_resolve_resource_ref.h"
#include "emulator/vux_le_texture.h"
#include "emulator/vux_le_window.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char face_name[] = "黑体";

int channel(uint32_t c, int shift) { return int((c >> shift) & 0xff); }

// A painter on a buffer, clipped, without anti-aliasing unless asked.
struct painter : QPainter {
    painter(QImage& image, const QRect& clip) : QPainter(&image) {
        setClipRect(clip);
        setRenderHint(QPainter::Antialiasing, false);
    }
};

QString utf16(const uint16_t* chars, int count) {
    if (!chars || count <= 0) return {};
    return QString(reinterpret_cast<const QChar*>(chars), count);
}

// A component between two colours: a + (b - a) x i / n per component.
QColor mix(uint32_t a, uint32_t b, long long i, long long n) {
    auto c = [&](int shift) { return int(channel(a, shift) + (channel(b, shift) - channel(a, shift)) * i / n); };
    return QColor(c(16), c(8), c(0));
}

using i64 = long long;

// The part of (x, y, w, h) inside the area, computed in 64-bit.
QRect bound(i64 x, i64 y, i64 w, i64 h, const QRect& area) {
    if (w <= 0 || h <= 0) return {};
    const i64 l = std::max<i64>(x, area.left()), t = std::max<i64>(y, area.top());
    const i64 r = std::min<i64>(x + w, i64(area.right()) + 1), b = std::min<i64>(y + h, i64(area.bottom()) + 1);
    if (r <= l || b <= t) return {};
    return QRect(int(l), int(t), int(r - l), int(b - t));
}

// Shapes and images are drawn only when their rectangle lies within reach of
// the buffer; beyond that nothing of them could be seen anyway.
constexpr i64 reach = 1 << 16;
bool within_reach(i64 x, i64 y, i64 w, i64 h) {
    return w > 0 && h > 0 && x > -reach && y > -reach && x + w < reach && y + h < reach;
}

void fill_bounded(QPainter& p, const QRect& clip, i64 x, i64 y, i64 w, i64 h, const QColor& c) {
    const QRect r = bound(x, y, w, h, clip);
    if (!r.isEmpty()) p.fillRect(r, c);
}

}  // namespace

void vux_le_graphics::set_clip(int x, int y, int w, int h) { clip_ = bound(x, y, w, h, draw_.rect()); }

QColor vux_le_graphics::opaque(int slot) const {
    const uint32_t c = colours_[slot];
    return QColor(channel(c, 16), channel(c, 8), channel(c, 0));
}

QColor vux_le_graphics::blended(int slot) const {
    QColor c = opaque(slot);
    c.setAlpha(255 - channel(colours_[slot], 24));
    return c;
}

int vux_le_graphics::scaled(long long size) const {
    const long long side = std::min(draw_.width(), draw_.height());
    return int(std::clamp<long long>((size * side + 120) / 240, INT_MIN, INT_MAX));
}

void vux_le_graphics::create_buffers(int width, int height) {
    draw_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    draw_.fill(Qt::white);
    save_ = draw_;
    clip_ = draw_.rect();
    has_font_ = false;
    select_font(0, 0);
}

void vux_le_graphics::select_font(int size, int face) {
    if (has_font_ && size == font_size_ && face == font_face_) return;
    has_font_ = true;
    font_size_ = size;
    font_face_ = face;
    text_height_ = 0;
    font_ = QFont();
    if (face)
        font_.setFamilies(
            {QString::fromUtf8(face_name), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("sans-serif")});
    // The scaled size is the text cell's height (ascent plus descent), as the
    // engine measures lines with it; Qt's pixel size is the em, which CJK
    // fonts exceed by a third or more, so take the largest that fits.
    const int cell = std::clamp(scaled(i64(size) + 12), 1, 512);
    int pixels = cell;
    font_.setPixelSize(pixels);
    const int height = QFontMetrics(font_).height();
    if (height > cell) {
        pixels = std::max(1, int(i64(cell) * cell / height));
        font_.setPixelSize(pixels);
        while (pixels > 1 && QFontMetrics(font_).height() > cell) font_.setPixelSize(--pixels);
    }
}

int vux_le_graphics::text_height() {
    if (text_height_ == 0) text_height_ = QFontMetrics(font_).height();
    return text_height_;
}

int vux_le_graphics::char_width(uint16_t ch) { return QFontMetrics(font_).horizontalAdvance(QChar(ch)); }

void vux_le_graphics::clear(uint32_t colour) {
    clip_ = draw_.rect();
    x_ = y_ = 0;
    w_ = draw_.width();
    h_ = draw_.height();
    colours_[fill] = colour;
    painter p(draw_, clip_);
    fill_bounded(p, clip_, 0, 0, i64(w_) + 1, i64(h_) + 1, blended(fill));
}

void vux_le_graphics::set_colour(int slot, uint32_t colour) {
    if (slot >= 0 && slot < slot_count) colours_[slot] = colour;
}

void vux_le_graphics::save_area(int x, int y, int w, int h) {
    const QRect r = bound(x, y, w, h, draw_.rect());
    if (r.isEmpty()) return;
    QPainter p(&save_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(r.topLeft(), draw_, r);
}

void vux_le_graphics::restore_area(int sx, int sy, int w, int h, int x, int y) {
    if (!within_reach(sx, sy, w, h) || !within_reach(x, y, w, h)) return;
    painter p(draw_, clip_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(x, y), save_, QRect(sx, sy, w, h));
}

void vux_le_graphics::rectangle(int filled, int gradient_on) {
    if (w_ <= 0 || h_ <= 0) return;
    painter p(draw_, clip_);
    if (!filled) {
        const QColor c = opaque(line);
        // the outline lies exactly on the rectangle's perimeter
        fill_bounded(p, clip_, x_, y_, w_, 1, c);
        fill_bounded(p, clip_, x_, i64(y_) + h_ - 1, w_, 1, c);
        fill_bounded(p, clip_, x_, y_, 1, h_, c);
        fill_bounded(p, clip_, i64(x_) + w_ - 1, y_, 1, h_, c);
    } else if (gradient_on <= 0) {
        fill_bounded(p, clip_, x_, y_, i64(w_) + 1, i64(h_) + 1, blended(fill));
    } else {
        const QRect rows = bound(x_, y_, w_, h_, clip_);
        for (int row = rows.top(); !rows.isEmpty() && row <= rows.bottom(); ++row)
            fill_bounded(p, clip_, x_, row, w_, 1, mix(colours_[gradient], colours_[fill], row - i64(y_), h_));
    }
}

void vux_le_graphics::round_rectangle(int filled, int radius) {
    if (!within_reach(x_, y_, w_, h_) || radius >= reach || radius < 0) return;
    painter p(draw_, clip_);
    if (!filled) {
        p.setPen(opaque(line));
        p.setBrush(Qt::NoBrush);
        // like the rectangle's outline, x .. x + w - 1 and y .. y + h - 1
        p.drawRoundedRect(QRectF(x_, y_, i64(w_) - 1, i64(h_) - 1), radius / 2.0, radius / 2.0);
        return;
    }
    if (radius <= 0) return;
    const double d = 2.0 * radius;
    const double l = x_, t = y_, r = double(x_) + w_ + 1, b = double(y_) + h_ + 1;
    QPainterPath path;
    path.moveTo(l + radius, t);
    path.arcTo(r - d, t, d, d, 90, -90);
    path.arcTo(r - d, b - d, d, d, 0, -90);
    path.arcTo(l, b - d, d, d, 270, -90);
    path.arcTo(l, t, d, d, 180, -90);
    path.closeSubpath();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillPath(path, blended(fill));
}

void vux_le_graphics::horizontal_line(int style) {
    if (w_ <= 0) return;
    painter p(draw_, clip_);
    const QRect span = bound(x_, y_, w_, 1, clip_);
    if (style == 1) {
        const i64 half = w_ / 2;
        if (half == 0) return;
        for (int px = span.left(); !span.isEmpty() && px <= span.right(); ++px)
            p.fillRect(QRect(px, y_, 1, 1),
                       mix(colours_[line], colours_[gradient], std::llabs(half - (px - i64(x_))), half));
    } else if (style == 2) {
        // the platform's dotted pen: three pixels on, three off, from x
        for (int px = span.left(); !span.isEmpty() && px <= span.right(); ++px)
            if ((px - i64(x_)) % 6 < 3) p.fillRect(QRect(px, y_, 1, 1), opaque(line));
    } else {
        fill_bounded(p, clip_, x_, y_, w_, 1, blended(line));
    }
}

void vux_le_graphics::vertical_line() {
    if (h_ <= 0) return;
    painter p(draw_, clip_);
    fill_bounded(p, clip_, x_, y_, 1, h_, opaque(line));
}

void vux_le_graphics::draw_text(const uint16_t* chars, int count, int underline) {
    const QString s = utf16(chars, count);
    if (s.isEmpty()) return;
    painter p(draw_, clip_);
    p.setFont(font_);
    p.setPen(opaque(text));
    const QFontMetrics fm(font_);
    p.drawText(QPoint(x_, y_ + fm.ascent()), s);
    if (underline) {
        i64 width = 0;
        for (int i = 0; i < count; ++i) width += char_width(chars[i]);
        fill_bounded(p, clip_, x_, i64(y_) + text_height() + 1, width, std::max(1, scaled(1)), opaque(text));
    }
}

QImage vux_le_graphics::decode(const char* name, const uint8_t* bytes, int length) {
    if (bytes && length > 0) return images_.decode(bytes, length);
    if (!name || !window_) return {};
    const std::size_t n = std::strlen(name);
    if (n > 2 && name[0] == '_') {
        const QByteArray file = window_->read_file(name + 1);
        return images_.decode(reinterpret_cast<const uint8_t*>(file.constData()), file.size());
    }
    if (n == 16) {
        const QByteArray blob = window_->image_blob();
        const auto piece = vux_le_resolve_resource_ref(name, reinterpret_cast<const uint8_t*>(blob.constData()),
                                                       std::size_t(blob.size()));
        if (piece.bytes) return images_.decode(piece.bytes, qsizetype(piece.size));
    }
    return {};
}

void vux_le_graphics::texture(int mode, const char* name, const uint8_t* bytes, int length) {
    if (!within_reach(x_, y_, w_, h_)) return;
    const QImage img = decode(name, bytes, length);
    if (img.isNull()) return;
    painter p(draw_, clip_);
    p.setRenderHint(QPainter::SmoothPixmapTransform, mode <= 2);
    for (const auto& d : vux_le_texture_draws(mode, img.width(), img.height(), x_, y_, w_, h_))
        p.drawImage(d.target, img, d.source);
}

void vux_le_graphics::image(const char* name, const uint8_t* bytes, int length) {
    if (!within_reach(x_, y_, w_, h_)) return;
    const QImage img = decode(name, bytes, length);
    if (img.isNull()) return;
    painter p(draw_, clip_);
    p.drawImage(QRect(x_, y_, w_, h_), img);
}

void vux_le_graphics::triangle(int direction) {
    if (!within_reach(x_, y_, w_, h_)) return;
    const double x = x_, y = y_, w = w_, h = h_;
    QPolygonF poly;
    switch (direction) {
    case 1: poly << QPointF(x, y + h / 2) << QPointF(x + w, y) << QPointF(x + w, y + h); break;
    case 2: poly << QPointF(x + w / 2, y) << QPointF(x, y + h) << QPointF(x + w, y + h); break;
    case 3: poly << QPointF(x + w, y + h / 2) << QPointF(x, y) << QPointF(x, y + h); break;
    case 4: poly << QPointF(x, y) << QPointF(x + w, y) << QPointF(x + w / 2, y + h); break;
    default: return;
    }
    painter p(draw_, clip_);
    p.setPen(Qt::NoPen);
    p.setBrush(blended(fill));
    p.drawPolygon(poly);
}

void vux_le_graphics::ellipse(int filled, int pen_width, const uint16_t* chars, int count) {
    if (!within_reach(x_, y_, w_, h_)) return;
    painter p(draw_, clip_);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(x_, y_, w_, h_);
    if (filled) {
        p.setPen(Qt::NoPen);
        p.setBrush(blended(fill));
        p.drawEllipse(r);
    }
    if (pen_width > 0 && pen_width < reach) {
        p.setPen(QPen(blended(line), pen_width));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r);
    }
    const QString s = utf16(chars, count);
    if (s.isEmpty()) return;
    p.setFont(font_);
    p.setPen(opaque(text));
    const QFontMetrics fm(font_);
    const long long tx = x_ + (static_cast<long long>(w_) - fm.horizontalAdvance(s) + 1) / 2;
    const long long ty = y_ + (static_cast<long long>(h_) - text_height()) / 2;
    p.drawText(QPointF(double(tx), double(ty) + fm.ascent()), s);
}

struct vux_le_graphics_entries {
    static vux_le_graphics& g(void* u) { return *static_cast<vux_le_graphics*>(u); }
    static int screen_width(void* u) { return g(u).draw_.width(); }
    static int screen_height(void* u) { return g(u).draw_.height(); }
    static int capability(void*) { return 1; }
    static const char* image_formats(void*) { return "gif\njpg"; }
    static int reserved(void*) { return 0; }
    static void select_font(void* u, int size, int face) { g(u).select_font(size, face); }
    static int text_height(void* u) { return g(u).text_height(); }
    static int char_width(void* u, uint16_t ch) { return g(u).char_width(ch); }
    static void clear(void* u, uint32_t c) { g(u).clear(c); }
    static void set_clip(void* u, int x, int y, int w, int h) { g(u).set_clip(x, y, w, h); }
    static void set_colour(void* u, int slot, uint32_t c) { g(u).set_colour(slot, c); }
    static void move_to(void* u, int x, int y) { g(u).move_to(x, y); }
    static void set_width(void* u, int w) { g(u).set_width(w); }
    static void set_height(void* u, int h) { g(u).set_height(h); }
    static void hook_15(void*, const char*, const uint8_t*, int) {}
    static void hook_16(void*) {}
    static void save_area(void* u, int x, int y, int w, int h) { g(u).save_area(x, y, w, h); }
    static void restore_area(void* u, int sx, int sy, int w, int h, int x, int y) {
        g(u).restore_area(sx, sy, w, h, x, y);
    }
    static void rectangle(void* u, int filled, int gradient) { g(u).rectangle(filled, gradient); }
    static void texture(void* u, int mode, int, const char* name, const uint8_t* b, int n) {
        g(u).texture(mode, name, b, n);
    }
    static void round_rectangle(void* u, int filled, int radius) { g(u).round_rectangle(filled, radius); }
    static void horizontal_line(void* u, int style) { g(u).horizontal_line(style); }
    static void vertical_line(void* u) { g(u).vertical_line(); }
    static void text(void* u, const uint16_t* c, int n, int underline) { g(u).draw_text(c, n, underline); }
    static void image(void* u, const char* name, int, const uint8_t* b, int n, int, int, int) {
        g(u).image(name, b, n);
    }
    static void triangle(void* u, int direction) { g(u).triangle(direction); }
    static void ellipse(void* u, int filled, int pen, const uint16_t* c, int n) { g(u).ellipse(filled, pen, c, n); }
    static void busy(void* u, int mode, int value) {
        if (auto* w = g(u).window_) w->show_busy(mode, value);
    }
    // A data record was replaced, or the document's pictures changed: the
    // decoded pictures may be stale.
    static void data_replaced(void* u, const char*) { g(u).images_.clear(); }
    static void reserved_30(void* u) { g(u).images_.clear(); }
    static void repaint(void* u) {
        if (auto* w = g(u).window_) w->repaint();
    }
};

vux_graphics_table vux_le_graphics::table() {
    using e = vux_le_graphics_entries;
    return {this,           e::screen_width,    e::screen_height,   e::capability,    e::image_formats,
            e::reserved,    e::select_font,     e::text_height,     e::char_width,    e::clear,
            e::set_clip,    e::set_colour,      e::move_to,         e::set_width,     e::set_height,
            e::hook_15,     e::hook_16,         e::save_area,       e::restore_area,  e::rectangle,
            e::texture,     e::round_rectangle, e::horizontal_line, e::vertical_line, e::text,
            e::image,       e::triangle,        e::ellipse,         e::busy,          e::data_replaced,
            e::reserved_30, e::repaint};
}
