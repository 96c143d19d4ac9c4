#pragma once
#include <QByteArray>
#include <QString>
#include <QWidget>

#include "core/vux_buffer.h"

class QSize;
class orbel_static_picture;
class orbel_tool_tips;
struct orbel_picture_texts;

// What the site sheet's pages share: tool tips set up the same way, a
// control found by its id, and the picture bytes between the record and the
// page.
class orbel_site_page : public QWidget {
    Q_OBJECT
public:
    orbel_site_page(const char* id, const QString& title, QWidget* parent);

    const QString& title() const { return title_; }
    orbel_tool_tips* tips() const { return tips_; }

    static QByteArray bytes_of(const vux_buffer& b) {
        return QByteArray(reinterpret_cast<const char*>(b.data()), b.length());
    }
    static bool same_bytes(const QByteArray& a, const vux_buffer& b) { return a == bytes_of(b); }
    static void set_buffer(vux_buffer& b, const QByteArray& a) { b.assign_bytes(a.constData(), int32_t(a.size())); }
    // The custom-picture step into a picture control; false (the control
    // unchanged) when nothing was taken.
    static bool choose_file(QWidget* parent, const orbel_picture_texts& texts, QSize box,
                            orbel_static_picture* control);

protected:
    // A control's id and its tip (empty for none).
    template <class W>
    W* named(W* w, const char* id, const QString& tip = {}) {
        w->setObjectName(QLatin1String(id));
        if (!tip.isEmpty()) add_tip(w, tip);
        return w;
    }
    void add_tip(QWidget* w, const QString& tip);

private:
    QString title_;
    orbel_tool_tips* tips_;
};
