#include "toolkit/vux_image_host.h"
#include <QByteArray>
#include <QPolygon>
#include <algorithm>
#include <sstream>

namespace {

vux_image_host& host(void* user) { return *static_cast<vux_image_host*>(user); }

QColor colour_of(uint32_t c) { return QColor::fromRgb(QRgb(c | 0xFF000000u)); }

}  // namespace

vux_image_host::vux_image_host(int width, int height) : image_(width, height, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    save_ = image_.copy();
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    for (QColor& c : colours) c = Qt::black;

    vux_graphics_table& g = graphics;
    g.user = this;
    g.screen_width = [](void* u) { return host(u).image().width(); };
    g.screen_height = [](void* u) { return host(u).image().height(); };
    g.capability = [](void*) { return 1; };
    g.image_formats = [](void*) { return "png\njpg\ngif"; };
    g.select_font = [](void* u, int size, int) { host(u).select_font(size); };
    g.text_height = [](void* u) { return host(u).text_height(); };
    g.char_width = [](void* u, uint16_t ch) { return ch == u' ' ? host(u).char_width() / 2 : host(u).char_width(); };
    g.clear = [](void* u, uint32_t c) { host(u).painter().fillRect(host(u).image().rect(), colour_of(c)); };
    g.set_clip = [](void* u, int x, int y, int w, int h) { host(u).painter().setClipRect(x, y, w, h); };
    g.set_colour = [](void* u, int slot, uint32_t c) {
        if (slot >= 0 && slot < 4) host(u).colours[slot] = colour_of(c);
    };
    g.move_to = [](void* u, int x, int y) {
        host(u).x_ = x;
        host(u).y_ = y;
    };
    g.set_width = [](void* u, int w) { host(u).w_ = w; };
    g.set_height = [](void* u, int h) { host(u).h_ = h; };
    // Areas are saved to and copied back from a second buffer, as on the
    // phone; the copy honours the clip.
    g.save_area = [](void* u, int x, int y, int w, int h) {
        vux_image_host& self = host(u);
        QPainter p(&self.save_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(x, y), self.image(), QRect(x, y, w, h));
    };
    g.restore_area = [](void* u, int sx, int sy, int w, int h, int x, int y) {
        vux_image_host& self = host(u);
        self.painter().drawImage(QPoint(x, y), self.save_, QRect(sx, sy, w, h));
    };
    g.rectangle = [](void* u, int filled, int gradient) {
        vux_image_host& self = host(u);
        if (filled) {
            self.fill(self.pen_rect(), gradient != 0);
        } else {
            self.painter().setPen(self.colours[1]);
            self.painter().setBrush(Qt::NoBrush);
            self.painter().drawRect(self.pen_rect().adjusted(0, 0, -1, -1));
        }
    };
    g.texture = [](void* u, int, int, const char*, const uint8_t* bytes, int length) {
        vux_image_host& self = host(u);
        self.draw_bytes(bytes, length, self.pen_rect());
    };
    g.round_rectangle = [](void* u, int filled, int radius) {
        vux_image_host& self = host(u);
        self.painter().setPen(filled ? Qt::NoPen : QPen(self.colours[1]));
        self.painter().setBrush(filled ? QBrush(self.colours[0]) : QBrush(Qt::NoBrush));
        self.painter().drawRoundedRect(self.pen_rect().adjusted(0, 0, -1, -1), radius, radius);
    };
    g.horizontal_line = [](void* u, int) {
        vux_image_host& self = host(u);
        self.painter().setPen(self.colours[1]);
        self.painter().drawLine(self.x_, self.y_, self.x_ + std::max(self.w_ - 1, 0), self.y_);
    };
    g.vertical_line = [](void* u) {
        vux_image_host& self = host(u);
        self.painter().setPen(self.colours[1]);
        self.painter().drawLine(self.x_, self.y_, self.x_, self.y_ + std::max(self.h_ - 1, 0));
    };
    g.text = [](void* u, const uint16_t* chars, int count, int underline) {
        host(u).text(chars, count, underline != 0);
    };
    g.image = [](void* u, const char*, int, const uint8_t* bytes, int length, int, int, int) {
        vux_image_host& self = host(u);
        self.draw_bytes(bytes, length, self.pen_rect());
    };
    g.triangle = [](void* u, int direction) {
        vux_image_host& self = host(u);
        const QRect r = self.pen_rect();
        QPolygon p;
        switch (direction) {
        case 1:
            p << QPoint(r.right(), r.top()) << QPoint(r.left(), r.center().y()) << QPoint(r.right(), r.bottom());
            break;
        case 2: p << QPoint(r.left(), r.bottom()) << QPoint(r.center().x(), r.top()) << r.bottomRight(); break;
        case 3: p << r.topLeft() << QPoint(r.right(), r.center().y()) << r.bottomLeft(); break;
        default: p << r.topLeft() << r.topRight() << QPoint(r.center().x(), r.bottom()); break;
        }
        self.painter().setPen(Qt::NoPen);
        self.painter().setBrush(self.colours[0]);
        self.painter().drawPolygon(p);
    };
    g.repaint = [](void* u) { host(u).present(); };

    vux_facility_table& f = facility;
    f.user = this;
    f.supports = [](void* u, int kind) {
        return kind >= 0 && kind < 32 && ((host(u).capabilities >> kind) & 1u) ? 1 : 0;
    };
    f.device_key = [](void*) { return "000000000000000"; };
    f.session_text = [](void* u) { return host(u).session_text.empty() ? nullptr : host(u).session_text.c_str(); };
}

void vux_image_host::attach(vux_engine* e) {
    vux_engine_set_graphics(e, &graphics);
    vux_engine_set_facility(e, &facility);
}

// The phone host's rule: a size is 12 less than the line height on a screen
// whose shorter side is 240 pixels, and scales with that side; the document
// chooses its sizes against it, so the frames here show what the phone shows.
void vux_image_host::select_font(int size) {
    const long long side = std::min(image_.width(), image_.height());
    text_height_ = int(std::clamp<long long>(((static_cast<long long>(size) + 12) * side + 120) / 240, 8, 64));
}

void vux_image_host::fill(const QRect& r, bool gradient) {
    if (!gradient) {
        painter_.fillRect(r, colours[0]);
        return;
    }
    // Two-colour fills run from slot 3 at the top to slot 0 at the bottom,
    // in whole bands so that no blending depends on the machine.
    const int h = std::max(r.height(), 1);
    for (int i = 0; i < r.height(); ++i) {
        const QColor& a = colours[3];
        const QColor& b = colours[0];
        const QColor c((a.red() * (h - i) + b.red() * i) / h, (a.green() * (h - i) + b.green() * i) / h,
                       (a.blue() * (h - i) + b.blue() * i) / h);
        painter_.fillRect(QRect(r.left(), r.top() + i, r.width(), 1), c);
    }
}

void vux_image_host::draw_bytes(const uint8_t* bytes, int length, const QRect& r) {
    QImage picture;
    if (bytes && length > 0 && picture.loadFromData(bytes, length)) {
        painter_.drawImage(r.isEmpty() ? QRect(r.topLeft(), picture.size()) : r, picture);
        return;
    }
    // What the host cannot decode is shown as a crossed frame.
    painter_.setPen(QColor(0x80, 0x80, 0x80));
    painter_.setBrush(Qt::NoBrush);
    const QRect f = r.adjusted(0, 0, -1, -1);
    painter_.drawRect(f);
    painter_.drawLine(f.topLeft(), f.bottomRight());
}

void vux_image_host::text(const uint16_t* chars, int count, bool underline) {
    const int cw = char_width(), h = text_height_;
    int x = x_;
    for (int i = 0; i < count; ++i) {
        const uint16_t ch = chars[i];
        if (ch == u' ') {
            x += cw / 2;
            continue;
        }
        painter_.fillRect(QRect(x + 1, y_ + 2, std::max(cw - 2, 1), std::max(h - 4, 1)), colours[2]);
        x += cw;
    }
    if (underline) painter_.fillRect(QRect(x_, y_ + h - 1, x - x_, 1), colours[2]);
}

bool vux_image_host::feed(vux_engine* e, const std::string& line) {
    std::istringstream in(line);
    std::string word;
    if (!(in >> word) || word[0] == '#') return true;
    int a = 0, b = 0;
    if (word == "key" && in >> a) {
        vux_engine_key(e, a);
    } else if ((word == "press" || word == "release" || word == "move") && in >> a >> b) {
        vux_engine_pointer(e, word == "press" ? 0 : word == "release" ? 1 : 2, a, b);
    } else if (word == "tick" && in >> a) {
        for (int i = 0; i < a; ++i) vux_engine_tick(e, ++ticks_);
    } else if (word == "text") {
        std::string rest;
        std::getline(in >> std::ws, rest);
        const std::u16string units = QString::fromStdString(rest).toStdU16String();
        vux_engine_on_input_text(e, reinterpret_cast<const uint16_t*>(units.data()), int(units.size()));
    } else if (word == "call" && in >> word) {
        vux_engine_call_function(e, word.c_str());
    } else {
        return false;
    }
    return true;
}

void vux_image_host::start(vux_engine* e, const QByteArray& document) {
    vux_engine_load_private(e, nullptr, 0);
    vux_engine_start_document(e, reinterpret_cast<const uint8_t*>(document.constData()), int(document.size()));
}
