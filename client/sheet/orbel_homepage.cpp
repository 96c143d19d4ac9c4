#include "client/sheet/orbel_homepage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "client/common/orbel_web.h"
#include "client/controls/orbel_custom_picture.h"
#include "client/controls/orbel_static_picture.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/sheet/orbel_address.h"
#include "client/sheet/orbel_site_page.h"
#include "client/sheet/orbel_site_sheet.h"
#include "client/start/orbel.h"
#include "desktop/orbel_text_utils.h"
#include "desktop/records/vux_desktop_site_change.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"

namespace {

// A fraction this long or longer is refused.
constexpr int32_t max_fraction_digits = 12;
// Integer parts longer than this cannot be a coordinate, and would not fit
// in 64 bits.
constexpr int32_t max_integer_digits = 18;

bool position_given(const orbel_homepage::values& v) {
    return !v.address.trimmed().isEmpty() || (!v.longitude.isEmpty() && !v.latitude.isEmpty());
}

template <class W>
W* named(W* w, const char* id) {
    w->setObjectName(QLatin1String(id));
    return w;
}

}  // namespace

orbel_homepage::values orbel_homepage::fill(const vux_desktop_site& site) {
    values v;
    v.web_address = orbel_to_qstring(site.web_address);
    v.introduction = orbel_lf_lines(orbel_to_qstring(site.introduction));
    v.telephone = orbel_to_qstring(site.telephone);
    v.address = orbel_to_qstring(site.address);
    v.longitude = orbel_to_qstring(site.longitude);
    v.latitude = orbel_to_qstring(site.latitude);
    v.map = site.map_options & map_shown;
    v.locate = site.map_options & locate_by_phone;
    v.picture = orbel_site_page::bytes_of(site.home_picture);
    return v;
}

void orbel_homepage::collect(const values& v, const vux_desktop_site& cached, vux_desktop_site& update) {
    auto text = [&update](const QString& now_text, const vux_string& old, vux_string& out, int32_t bit) {
        const vux_string now = orbel_to_utf8(now_text);
        if (now.view() == old.view()) return;
        out = now;
        update.change_mask |= bit;
    };
    text(v.web_address, cached.web_address, update.web_address, vux_desktop_site_change::web_address);
    text(orbel_crlf_lines(v.introduction), cached.introduction, update.introduction,
         vux_desktop_site_change::introduction);
    text(v.telephone, cached.telephone, update.telephone, vux_desktop_site_change::telephone);
    text(v.address.trimmed(), cached.address, update.address, vux_desktop_site_change::address);
    text(v.longitude, cached.longitude, update.longitude, vux_desktop_site_change::longitude);
    text(v.latitude, cached.latitude, update.latitude, vux_desktop_site_change::latitude);
    // Map bits this editor does not show stay as the service keeps them.
    update.map_options = (cached.map_options & ~(map_shown | locate_by_phone)) | (v.map ? map_shown : 0) |
                         (v.locate ? locate_by_phone : 0);
    if (update.map_options != cached.map_options) update.change_mask |= vux_desktop_site_change::map_options;
    if (!orbel_site_page::same_bytes(v.picture, cached.home_picture)) {
        orbel_site_page::set_buffer(update.home_picture, v.picture);
        update.change_mask |= vux_desktop_site_change::home_picture;
    }
}

orbel_homepage::coordinate orbel_homepage::check_coordinate(const QString& text, int bound) {
    const vux_string t = orbel_to_utf8(text);
    if (t.empty()) return coordinate::good;
    if (!orbel_is_decimal_number(t)) return coordinate::not_a_number;
    vux_string integer, fraction;
    orbel_split_decimal(t, integer, fraction);
    if (fraction.length() > max_fraction_digits) return coordinate::fraction_too_long;
    const bool negative = integer.starts_with("-");
    const vux_string digits = negative ? integer.substring(1, integer.length() - 1) : integer;
    if (digits.length() > max_integer_digits) return coordinate::out_of_range;
    int64_t n = 0;
    for (int32_t i = 0; i < digits.length(); ++i) n = n * 10 + (digits.byte_at(i) - '0');
    if (n > bound) return coordinate::out_of_range;
    if (n == bound) {
        for (int32_t i = 0; i < fraction.length(); ++i)
            if (fraction.byte_at(i) != '0') return coordinate::out_of_range;
    }
    return coordinate::good;
}

QString orbel_homepage::coordinate_message(coordinate c, bool longitude) {
    switch (c) {
    case coordinate::good: return {};
    case coordinate::not_a_number:
        return longitude ? QStringLiteral("不合法的经度数据！") : QStringLiteral("不合法的纬度数据！");
    case coordinate::fraction_too_long:
        return longitude ? QStringLiteral("经度小数部分过长！") : QStringLiteral("纬度小数部分过长！");
    case coordinate::out_of_range: break;
    }
    return longitude ? QStringLiteral("经度数据超出范围！") : QStringLiteral("纬度数据超出范围！");
}

std::optional<QUrl> orbel_homepage::test_url(const QString& web_address) {
    const QString text = web_address.trimmed();
    if (text.isEmpty()) return std::nullopt;
    // A scheme is letters up to a ':' that no port number follows
    // ("example.com:8080" has none).
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(?!\\d)"));
    const QRegularExpressionMatch m = scheme.match(text);
    const QUrl url(m.hasMatch() ? text : QStringLiteral("http://") + text, QUrl::StrictMode);
    const QString s = url.scheme().toLower();
    if (!url.isValid() || (s != QLatin1String("http") && s != QLatin1String("https")) || url.host().isEmpty())
        return std::nullopt;
    return url;
}

QUrl orbel_homepage::map_url(const values& v) {
    QString query;
    if (!v.address.trimmed().isEmpty())
        orbel_url_encode_cstring(v.address.trimmed(), query);
    else
        query = v.latitude + QLatin1Char(',') + v.longitude;
    return QUrl(
        QStringLiteral("https://%1%2%3").arg(QLatin1String(orbel_map_host), QLatin1String(orbel_map_page), query),
        QUrl::StrictMode);
}

std::unique_ptr<vux_desktop_request_site> orbel_homepage::run(QWidget* parent, const QString& management_name,
                                                              const vux_string& key, const vux_desktop_site& cached) {
    orbel_homepage editor(management_name, cached, parent);
    if (editor.exec() != QDialog::Accepted) return nullptr;
    const std::unique_ptr<vux_desktop_site> update = editor.collect_update();
    if (update->change_mask == 0) return nullptr;
    return orbel_site_update_request(key, *update);
}

orbel_homepage::orbel_homepage(const QString& management_name, const vux_desktop_site& cached, QWidget* parent)
    : QDialog(parent), cached_(cached) {
    setObjectName(QStringLiteral("138"));
    setWindowTitle(QStringLiteral("主页 - ") + management_name);
    tips_ = new orbel_tool_tips(this);
    tips_->set_active(orbel_hints_off() == 0);

    web_address_ = named(new QLineEdit(this), "1031");
    introduction_ = named(new QPlainTextEdit(this), "1038");
    introduction_->setTabChangesFocus(true);
    telephone_ = named(new QLineEdit(this), "1024");
    address_ = named(new QLineEdit(this), "1066");
    longitude_ = named(new QLineEdit(this), "1053");
    latitude_ = named(new QLineEdit(this), "1054");
    map_ = named(new QCheckBox(QStringLiteral("开启地图功能"), this), "1068");
    locate_ = named(new QCheckBox(QStringLiteral("允许管理员用手机GPS定位"), this), "1070");
    picture_ = named(new orbel_static_picture(this), "1036");
    picture_->setFixedSize(120, 180);
    test_page_ = named(new QPushButton(QStringLiteral("测试网页"), this), "1028");
    auto* lookup = named(new QPushButton(QStringLiteral("按地址检索"), this), "1051");
    show_map_ = named(new QPushButton(QStringLiteral("查看地图"), this), "1067");
    auto* set_picture = named(new QPushButton(QStringLiteral("设置图片"), this), "1037");
    clear_picture_ = named(new QPushButton(QStringLiteral("清除图片"), this), "1007");
    auto* ok = named(new QPushButton(QStringLiteral("确定"), this), "1");
    auto* cancel = named(new QPushButton(QStringLiteral("取消"), this), "2");
    ok->setDefault(true);

    tips_->add(web_address_, QStringLiteral("　该功能对所有用户开放，用户在手机上可以直接打开此网页。"));
    tips_->add(map_, QStringLiteral("　该功能对所有用户开放，用户在手机可以通过地图查看位置。"));
    tips_->add(locate_, QStringLiteral("　管理员可以在手机上动态定位。"));
    tips_->add(telephone_, QStringLiteral("　该功能对所有用户开放，用户用手机可以直接拨打该电话。"));

    auto* form = new QGridLayout;
    int row = 0;
    form->addWidget(new QLabel(QStringLiteral("网页："), this), row, 0);
    form->addWidget(web_address_, row, 1, 1, 3);
    form->addWidget(test_page_, row++, 4);
    form->addWidget(new QLabel(QStringLiteral("简介："), this), row, 0, Qt::AlignTop);
    form->addWidget(introduction_, row++, 1, 1, 4);
    form->addWidget(new QLabel(QStringLiteral("服务电话："), this), row, 0);
    form->addWidget(telephone_, row++, 1, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("地址："), this), row, 0);
    form->addWidget(address_, row, 1, 1, 3);
    form->addWidget(lookup, row++, 4);
    form->addWidget(new QLabel(QStringLiteral("经度："), this), row, 0);
    form->addWidget(longitude_, row, 1);
    form->addWidget(new QLabel(QStringLiteral("纬度："), this), row, 2);
    form->addWidget(latitude_, row, 3);
    form->addWidget(show_map_, row++, 4);
    auto* checks = new QHBoxLayout;
    checks->addWidget(map_);
    checks->addWidget(locate_);
    checks->addStretch();
    form->addLayout(checks, row++, 1, 1, 4);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);

    auto* picture_buttons = new QVBoxLayout;
    picture_buttons->addWidget(picture_);
    picture_buttons->addWidget(set_picture);
    picture_buttons->addWidget(clear_picture_);
    picture_buttons->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(form, 1);
    body->addLayout(picture_buttons);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    resize(720, 440);

    for (QLineEdit* e : {web_address_, address_, longitude_, latitude_})
        connect(e, &QLineEdit::textChanged, this, &orbel_homepage::refresh);
    connect(test_page_, &QPushButton::clicked, this, &orbel_homepage::on_test_page);
    connect(lookup, &QPushButton::clicked, this, [this] {
        orbel_address dialog(this);
        if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("1038"))) edit->setText(address_->text());
        dialog.exec();
    });
    connect(show_map_, &QPushButton::clicked, this, &orbel_homepage::on_map);
    connect(set_picture, &QPushButton::clicked, this, [this] {
        const orbel_picture_texts texts{orbel_picture_filter(QStringLiteral("图片文件")), QStringLiteral("设置图片"),
                                        QStringLiteral("图片文件不能为空!"), QStringLiteral("不支持的图片文件格式!")};
        orbel_site_page::choose_file(this, texts, QSize(640, 960), picture_);
    });
    connect(clear_picture_, &QPushButton::clicked, this, [this] {
        picture_->set_bytes({});
        refresh();
    });
    connect(ok, &QPushButton::clicked, this, &orbel_homepage::on_ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    set_values(fill(cached));
}

void orbel_homepage::set_values(const values& v) {
    web_address_->setText(v.web_address);
    introduction_->setPlainText(v.introduction);
    telephone_->setText(v.telephone);
    address_->setText(v.address);
    longitude_->setText(v.longitude);
    latitude_->setText(v.latitude);
    map_->setChecked(v.map);
    locate_->setChecked(v.locate);
    picture_->set_bytes(v.picture);
    refresh();
}

orbel_homepage::values orbel_homepage::get_values() const {
    values v;
    v.web_address = web_address_->text();
    v.introduction = introduction_->toPlainText();
    v.telephone = telephone_->text();
    v.address = address_->text();
    v.longitude = longitude_->text();
    v.latitude = latitude_->text();
    v.map = map_->isChecked();
    v.locate = locate_->isChecked();
    v.picture = picture_->bytes();
    return v;
}

std::unique_ptr<vux_desktop_site> orbel_homepage::collect_update() const {
    auto update = std::make_unique<vux_desktop_site>();
    collect(get_values(), cached_, *update);
    return update;
}

void orbel_homepage::refresh() {
    const values v = get_values();
    test_page_->setEnabled(!v.web_address.isEmpty());
    show_map_->setEnabled(position_given(v));
}

void orbel_homepage::on_ok() {
    const std::pair<QLineEdit*, int> checks[] = {{longitude_, 180}, {latitude_, 90}};
    for (const auto& [edit, bound] : checks) {
        const coordinate c = check_coordinate(edit->text(), bound);
        if (c == coordinate::good) continue;
        orbel_get_ui().message(this, coordinate_message(c, edit == longitude_));
        edit->setFocus();
        return;
    }
    accept();
}

void orbel_homepage::on_test_page() {
    if (const std::optional<QUrl> url = test_url(web_address_->text())) orbel_open_web_page(this, *url);
}

void orbel_homepage::on_map() {
    const values v = get_values();
    if (!position_given(v) || check_coordinate(v.longitude, 180) != coordinate::good ||
        check_coordinate(v.latitude, 90) != coordinate::good)
        return;
    orbel_open_web_page(this, map_url(v));
}
