#pragma once
#include <optional>

#include "client/sheet/orbel_site_page.h"
#include "desktop/records/vux_desktop_site.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class orbel_static_color;
class orbel_static_picture;

// Page 112 "设置" of the site sheet: title, activation number, publication,
// pinning, feedback, interface style, tray colour and picture, site icon.
class orbel_site_setup : public orbel_site_page {
    Q_OBJECT
public:
    struct values {
        int style = 0;
        bool pinned = false;
        bool paused = false;
        bool tray_only = false;
        bool feedback = false;
        QString title;
        QString number;
        QString status;  // "【已经激活】" / "【尚未激活】" or empty
        QByteArray icon;
        QByteArray tray;
        int tray_color = vux_desktop_site::default_tray_color;
    };
    // A field that does not pass: its control and the message.
    struct problem {
        const char* focus;
        QString message;
    };

    // Option bits this page edits.
    static constexpr int32_t pinned_bit = 0x80, tray_only_bit = 0x100, feedback_bit = 0x400;
    static constexpr int32_t option_bits = pinned_bit | tray_only_bit | feedback_bit;

    // The values of a site. `with_status`: the activation status is shown
    // (filled from the cache, not from a template); `telephone` stands in
    // for an empty activation number.
    static values fill(const vux_desktop_site& site, bool with_status, const QString& telephone);
    // Writes the page's fields into the update and sets their change bits;
    // the update's option bits must already hold what the page does not own.
    // True when the activation number changed.
    static bool collect(const values& v, const vux_desktop_site& cached, vux_desktop_site& update);
    static std::optional<problem> check(const values& v);

    explicit orbel_site_setup(QWidget* parent = nullptr);

    void set_values(const values& v);
    values get_values() const;
    // The check; on failure the message shows and the field takes the focus.
    bool validate();

private:
    void refresh();
    void choose_icon_pack();
    void choose_icon_file();
    void choose_tray_pack();
    void choose_tray_file();
    void clear_tray();

    QComboBox* style_;
    QCheckBox* pinned_;
    QCheckBox* paused_;
    QCheckBox* tray_only_;
    QCheckBox* feedback_;
    QLineEdit* title_;
    QLineEdit* number_;
    QLabel* status_;
    orbel_static_picture* icon_;
    orbel_static_picture* tray_;
    orbel_static_color* tray_color_;
    QPushButton* clear_icon_;
    QPushButton* clear_tray_;
    int style_value_ = 0;
};
