#pragma once
#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QUrl>
#include <memory>
#include <optional>

#include "desktop/messages/vux_desktop_request_site.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class orbel_static_picture;
class orbel_tool_tips;

// Dialog 138 "主页": the content of a site's home column (web address,
// introduction, picture, service telephone, and a map position as an
// address or as longitude and latitude).
class orbel_homepage : public QDialog {
    Q_OBJECT
public:
    static constexpr int32_t map_shown = 0x1, locate_by_phone = 0x2;

    struct values {
        QString web_address;
        QString introduction;  // with the edit's line ends (LF)
        QString telephone;
        QString address;
        QString longitude;
        QString latitude;
        bool map = false;
        bool locate = false;
        QByteArray picture;
    };
    // What a coordinate's check finds.
    enum class coordinate { good, not_a_number, fraction_too_long, out_of_range };

    static values fill(const vux_desktop_site& site);
    // Every field that differs from the cached site goes into the update
    // with its change bit, an emptied one too (that clears it).
    static void collect(const values& v, const vux_desktop_site& cached, vux_desktop_site& update);
    // A longitude (bound 180) or latitude (bound 90); empty passes.
    static coordinate check_coordinate(const QString& text, int bound);
    // The message of a failed check; empty for a good one.
    static QString coordinate_message(coordinate c, bool longitude);
    // The page "测试网页" opens: http and https only, a text without a scheme
    // taken as http; none for anything else.
    static std::optional<QUrl> test_url(const QString& web_address);
    // The map page for the address, or for latitude,longitude without one.
    static QUrl map_url(const values& v);

    // The entry the site manager calls: runs the editor modally for the site
    // `key`; the update to send through the site cache, or null when the
    // editor was cancelled or nothing changed.
    static std::unique_ptr<vux_desktop_request_site> run(QWidget* parent, const QString& management_name,
                                                         const vux_string& key, const vux_desktop_site& cached);

    orbel_homepage(const QString& management_name, const vux_desktop_site& cached, QWidget* parent = nullptr);

    void set_values(const values& v);
    values get_values() const;
    // The update from the fields as they stand; its change mask may be 0.
    std::unique_ptr<vux_desktop_site> collect_update() const;

private:
    void refresh();
    void on_ok();
    void on_test_page();
    void on_map();

    const vux_desktop_site& cached_;
    QLineEdit* web_address_;
    QPlainTextEdit* introduction_;
    QLineEdit* telephone_;
    QLineEdit* address_;
    QLineEdit* longitude_;
    QLineEdit* latitude_;
    QCheckBox* map_;
    QCheckBox* locate_;
    orbel_static_picture* picture_;
    QPushButton* test_page_;
    QPushButton* show_map_;
    QPushButton* clear_picture_;
    orbel_tool_tips* tips_;
};
