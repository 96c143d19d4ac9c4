#pragma once
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>
#include "markup/runtime/vux_engine.h"

// A graphics table that draws into a QImage with a box font: every glyph is
// a filled box half as wide as the line is high, so a frame is the same on
// every machine; the line height follows a font size as on the phone. It serves the renderer, the golden images and the
// frame benchmark; the facility table answers nothing but its capabilities, a device key and the session text.
class vux_image_host {
public:
    vux_image_host(int width, int height);
    vux_image_host(const vux_image_host&) = delete;
    vux_image_host& operator=(const vux_image_host&) = delete;

    // Sets the graphics and facility tables on the engine.
    void attach(vux_engine* e);

    // One line of an event script: "key N", "press X Y", "release X Y",
    // "move X Y", "tick N", "text WORDS", "call NAME"; blank lines and "#"
    // comments do nothing. False for a line it does not understand.
    bool feed(vux_engine* e, const std::string& line);
    // Starts a document from its bytes (raw or packed) with no stored state.
    static void start(vux_engine* e, const QByteArray& document);

    const QImage& image() const { return image_; }
    int presents() const { return presents_; }
    // Facility capabilities the host reports (bit n for kind n).
    unsigned capabilities = 0;
    // The session text the engine's enter names (empty: none).
    std::string session_text;

    vux_graphics_table graphics{};
    vux_facility_table facility{};

    // Used by the table functions.
    QPainter& painter() { return painter_; }
    void select_font(int size);
    int text_height() const { return text_height_; }
    int char_width() const { return text_height_ / 2; }
    void fill(const QRect& r, bool gradient);
    QRect pen_rect() const { return QRect(x_, y_, w_, h_); }
    void draw_bytes(const uint8_t* bytes, int length, const QRect& r);
    void text(const uint16_t* chars, int count, bool underline);
    void present() { ++presents_; }

    QColor colours[4];
    int x_ = 0, y_ = 0, w_ = 0, h_ = 0;

private:
    QImage image_;
    QImage save_;  // what save_area keeps and restore_area copies back
    QPainter painter_;
    int text_height_ = 12;
    int presents_ = 0;
    int ticks_ = 0;
};
