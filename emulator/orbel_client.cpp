#include "emulator/orbel_client.h"

#include "core/vux_file_name.h"
#include "desktop/transport/orbel_service_address.h"
#include "emulator/vux_le_document.h"
#include "gui/orbel_text.h"
#include "gui/orbel_ui.h"
#include "markup/runtime/vux_key_code.h"
#include "resources/markup/vux_builtin_document.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <climits>
#include <utility>

static void orbel_client_resources() { Q_INIT_RESOURCE(emulator_art); }

namespace {

constexpr char no_exit_function[] = "__function_no_exit";
constexpr char copy_question[] = "是否复制文字到系统剪切板？";
constexpr int busy_hide = 0;
constexpr int busy_show = 1;

QByteArray resource_bytes(const QString& path) {
    static const bool registered = (orbel_client_resources(), true);
    (void)registered;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString utf16_text(const uint16_t* chars, int count) {
    if (!chars || count <= 0) return {};
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(chars), count);
}

}  // namespace

orbel_client_setup orbel_client_default_setup(const QString& session_text) {
    orbel_client_setup setup;
    setup.document =
        QByteArray::fromRawData(reinterpret_cast<const char*>(vux_builtin_document_data), vux_builtin_document_size);
    setup.blob = resource_bytes(QStringLiteral(":/dat/208.dat"));
    setup.folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/emulator");
    setup.session_text = session_text;
    setup.host = QString::fromLatin1(orbel_client_emulator_host);
    setup.port = orbel_client_emulator_port;
    orbel_service_address replaced;
    if (orbel_parse_service_address(qEnvironmentVariable(orbel_service_variable), replaced)) {
        setup.host = replaced.host;
        setup.port = replaced.port;
    }
    const QString folder = setup.folder;
    const QByteArray blob = setup.blob;
    setup.devices = [folder, blob](QWidget* client) {
        // The emoticon grid of text input reads the running engine's
        // variables and draws its pictures from the blob.
        QPointer<orbel_client> window(static_cast<orbel_client*>(client));
        orbel_client_devices_context context;
        context.emulator_folder = folder;
        context.engine = [window]() -> vux_engine* {
            return window && window->host() ? window->host()->handle() : nullptr;
        };
        context.image_blob = [blob] { return blob; };
        return orbel_make_client_devices(client, std::move(context));
    };
    return setup;
}

int orbel_client_key_code(int qt_key) {
    switch (qt_key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: return key_select;
    case Qt::Key_Escape: return key_back;
    case Qt::Key_Left: return key_left;
    case Qt::Key_Up: return key_up;
    case Qt::Key_Right: return key_right;
    case Qt::Key_Down: return key_down;
    default: return -1;
    }
}

orbel_client_wheel orbel_client_wheel_keys(int delta) {
    const int notches = delta / 120;
    if (notches > 0) return {key_line_up, notches};
    if (notches < 0) return {key_line_down, -notches};
    return {};
}

QString orbel_client_strip_markers(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (text.size() - i >= 4 && QStringView(text).mid(i, 3) == u"[[[" &&
            (text[i + 3] == u'0' || text[i + 3] == u'1')) {
            i += 4;
            continue;
        }
        out += text[i++];
    }
    return out;
}

QString orbel_client_file_path(const QString& folder, const char* name) {
    if (folder.isEmpty() || !name || !vux_file_name_safe(name)) return {};
    return folder + u'/' + QString::fromUtf8(name);
}

QUrl orbel_client_link_url(const char* text) {
    if (!text) return {};
    QString link = QString::fromUtf8(text).trimmed();
    if (link.isEmpty()) return {};
    // A text that names a scheme keeps it (and is refused unless http or
    // https); "host:port" is no scheme.
    static const QRegularExpression named_scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d)"));
    if (!link.contains(named_scheme)) link.prepend(QStringLiteral("http://"));
    const QUrl url(link, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty()) return {};
    return url;
}

orbel_client::orbel_client(int width, int height, orbel_client_setup setup, QWidget* parent)
    : QWidget(parent), setup_(std::move(setup)), width_(width), height_(height) {
    setObjectName(QStringLiteral("orbel_client"));
    setFixedSize(width, height);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&tick_timer_, &QTimer::timeout, this, &orbel_client::tick);
}

orbel_client::~orbel_client() {
    // Dialogs first (their answers would reach the engine), then the
    // engine while this window can still take its last host calls.
    devices_.reset();
    tick_timer_.stop();
    if (slip_) slip_->stop();
    host_.reset();
}

bool orbel_client::create() {
    vux_le_document& document = vux_le_get_document();
    document.persist().set_profile_name(setup_.session_text);
    host_ = vux_le_engine::create(document.persist());
    if (!host_) return false;
    host_->graphics().set_window(this);
    host_->facility().set_window(this);
    host_->graphics().create_buffers(width_, height_);
    host_->graphics().select_font(0, 0);
    const int font_height = host_->graphics().text_height();
    slip_ = std::make_unique<vux_le_slip>(
        [this](int first, int direction, int fast) {
            vux_engine* e = engine();
            return e ? vux_engine_drag_step(e, first, direction, fast) : 0;
        },
        font_height, setup_.clock, this);
    document.device().set_default_size(width_, height_);
    if (setup_.devices) devices_ = setup_.devices(this);

    host_->network().set_host(setup_.host);
    host_->network().set_port(setup_.port);

    vux_le_facility& facility = host_->facility();
    facility.set_identity(vux_le_facility::device_id, QStringLiteral("999000000000000"));
    facility.set_identity(vux_le_facility::platform, QStringLiteral("VUX1.0~WIN32~VARNEK"));
    facility.set_identity(vux_le_facility::model, QStringLiteral("Windows Emulator"));
    facility.set_identity(vux_le_facility::application_id, QStringLiteral("quellhome"));
    identity_ = setup_.session_text;
    facility.set_identity(vux_le_facility::session_text, identity_);

    const QByteArray store = document.persist().load_private(0);
    vux_engine_load_private(engine(), store.isEmpty() ? nullptr : reinterpret_cast<const uint8_t*>(store.constData()),
                            int(store.size()));
    start_document();
    return true;
}

void orbel_client::start_document() {
    started_ = false;
    ticked_ = false;
    const QByteArray doc = setup_.document;  // held while the engine reads it
    vux_engine_start_document(engine(), reinterpret_cast<const uint8_t*>(doc.constData()), int(doc.size()));
    started_ = true;
    vux_engine_call_function(engine(), no_exit_function);
    update();
}

void orbel_client::later(std::function<void()> call) {
    // Queued on this window: dropped with it, run after the engine returned.
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void orbel_client::tick() {
    if (!started_ || !engine()) return;
    ticked_ = true;
    // The count moves on after the call: a timer restarted inside the tick
    // counts on from 0, so the next tick passes 1.
    vux_engine_tick(engine(), ticks_);
    ticks_ = ticks_ == INT_MAX ? 0 : ticks_ + 1;
}

void orbel_client::start_timer(int rate) {
    // A rate of 0 or less has no period; the engine's request is ignored.
    if (rate <= 0) return;
    tick_timer_.start(std::max(1, 1000 / rate));
    timer_running_ = true;
    ticks_ = 0;
}

void orbel_client::stop_timer() {
    if (!timer_running_) return;
    tick_timer_.stop();
    timer_running_ = false;
    ticks_ = 0;
}

void orbel_client::open_text_input(int kind, int maximum, const uint16_t* title, int title_count, const uint16_t* text,
                                   int text_count) {
    if (!devices_) return;
    const unsigned serial = ++text_.serial;
    text_.state = dialog::asked;
    const bool single_line = kind != 0;
    const QString title_text = utf16_text(title, title_count);
    const QString initial = utf16_text(text, text_count);
    later([this, serial, single_line, maximum, title_text, initial] {
        if (text_.serial != serial || text_.state != dialog::asked || !devices_) return;
        text_.state = dialog::open;
        QPointer<orbel_client> self(this);
        devices_->open_text_input(single_line, maximum, title_text, initial, [self, serial](std::optional<QString> t) {
            if (self)
                self->later([self, serial, t] {
                    if (self) self->on_text(serial, t);
                });
        });
    });
}

void orbel_client::on_text(unsigned serial, std::optional<QString> text) {
    if (text_.serial != serial || text_.state != dialog::open || !engine()) return;
    text_.state = dialog::none;
    if (text && !text->isEmpty())
        vux_engine_on_input_text(engine(), reinterpret_cast<const uint16_t*>(text->utf16()), int(text->size()));
    else
        vux_engine_on_input_text(engine(), nullptr, 0);
}

int orbel_client::close_text_input() {
    switch (std::exchange(text_.state, dialog::none)) {
    case dialog::asked: return 1;  // the queued open will find it cancelled
    case dialog::open: return devices_ && devices_->close_text_input() ? 1 : 0;
    case dialog::none: break;
    }
    return 0;
}

void orbel_client::open_media(int, const char* kind) {
    if (!devices_ || !kind) return;
    const QString which = QString::fromLatin1(kind);
    if (which != u"photo" && which != u"camera" && which != u"voice") return;
    const unsigned serial = ++media_.serial;
    media_.state = dialog::asked;
    later([this, serial, which] {
        if (media_.serial != serial || media_.state != dialog::asked || !devices_) return;
        media_.state = dialog::open;
        QPointer<orbel_client> self(this);
        devices_->open_capture(which, [self, serial](std::optional<QByteArray> bytes) {
            if (self)
                self->later([self, serial, bytes] {
                    if (self) self->on_media(serial, bytes);
                });
        });
    });
}

void orbel_client::on_media(unsigned serial, std::optional<QByteArray> bytes) {
    if (media_.serial != serial || media_.state != dialog::open || !engine()) return;
    media_.state = dialog::none;
    if (bytes && !bytes->isEmpty())
        vux_engine_on_media(engine(), reinterpret_cast<const uint8_t*>(bytes->constData()), int(bytes->size()));
    else
        vux_engine_on_media(engine(), nullptr, 0);
}

int orbel_client::close_media() {
    switch (media_.state) {
    case dialog::asked: media_.state = dialog::none; return 1;
    case dialog::open:
        // Only the photo chooser closes; a capture dialog still answers.
        if (devices_ && devices_->close_capture()) {
            media_.state = dialog::none;
            return 1;
        }
        return 0;
    case dialog::none: break;
    }
    return 0;
}

int orbel_client::play_music(const char*, const uint8_t* bytes, int length) {
    if (devices_ && bytes && length > 0) devices_->play_voice(QByteArray(reinterpret_cast<const char*>(bytes), length));
    return 1;
}

void orbel_client::stop_music(int mode) {
    if (mode == 1 && devices_) devices_->stop_voice();
}

void orbel_client::open_link(const char* kind, const char* text) {
    if (!kind) {
        // A file whose records extend the document: handed over once the
        // engine's current step has returned.
        if (!text) return;
        const QByteArray name(text);
        later([this, name] {
            const QByteArray bytes = read_file(name.constData());
            if (!bytes.isEmpty() && engine())
                vux_engine_on_clipboard(engine(), reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        int(bytes.size()));
        });
        return;
    }
    const QByteArray which(kind);
    if (which == "web" || which == "wap") {
        const QUrl url = orbel_client_link_url(text);
        if (url.isValid()) orbel_get_ui().open_url(url);
    } else if (which == "copy") {
        if (!text) return;
        const QString copied = QString::fromUtf8(text);
        later([this, copied] {
            QPointer<orbel_client> self(this);
            const bool yes = orbel_get_ui().question(this, QString::fromUtf8(copy_question));
            if (self && yes) copy_to_clipboard(orbel_client_strip_markers(copied));
        });
    } else if (which == "copyx") {
        if (text) copy_to_clipboard(QString::fromUtf8(text));
    }
}

void orbel_client::copy_to_clipboard(const QString& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

void orbel_client::request_location(int kind) {
    if (!devices_) return;
    const unsigned serial = ++location_serial_;
    later([this, serial, kind] {
        if (location_serial_ != serial || !devices_) return;
        const vux_le_persist& persist = vux_le_get_document().persist();
        QPointer<orbel_client> self(this);
        devices_->request_location(persist.latitude(), persist.longitude(),
                                   [self, serial, kind](std::optional<std::pair<QString, QString>> where) {
                                       if (!where || !self) return;
                                       const QByteArray text = (where->first + u' ' + where->second).toUtf8();
                                       self->later([self, serial, kind, text] {
                                           if (self && self->location_serial_ == serial && self->engine())
                                               vux_engine_on_location(self->engine(), kind, text.constData());
                                       });
                                   });
    });
}

void orbel_client::write_file(const char* name, const uint8_t* bytes, int length) {
    const QString path = orbel_client_file_path(setup_.folder, name);
    if (path.isEmpty() || length < 0 || length > file_cap) return;
    if (!bytes) {
        QFile::remove(path);
        return;
    }
    QDir().mkpath(setup_.folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    if (file.write(reinterpret_cast<const char*>(bytes), length) == length) file.commit();
}

int orbel_client::query_file(const char* name) {
    const QString path = orbel_client_file_path(setup_.folder, name);
    if (path.isEmpty()) return 0;
    const QFileInfo info(path);
    // Larger files cannot be read either: they report as absent.
    if (!info.isFile() || info.size() > file_cap) return 0;
    return int(info.size());
}

QByteArray orbel_client::read_file(const char* name) {
    const QString path = orbel_client_file_path(setup_.folder, name);
    if (path.isEmpty()) return {};
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return {};
    QByteArray bytes = file.read(file_cap + 1);
    if (bytes.size() > file_cap) return {};
    return bytes;
}

void orbel_client::set_selected_site(const QString& key) {
    const QString identity = key.isEmpty() ? setup_.session_text : setup_.session_text + QLatin1Char(' ') + key;
    if (!host_ || identity == identity_) return;
    identity_ = identity;
    host_->facility().set_identity(vux_le_facility::session_text, identity_);
    // Before the first tick the document has not connected yet: its enter
    // will carry the new text as it is.
    if (started_ && ticked_) restart();
}

void orbel_client::enter_selected_site() {
    if (host_ && started_ && ticked_ && identity_ != setup_.session_text) restart();
}

void orbel_client::restart() {
    // The engine asks from inside its own step: the fresh start waits for
    // that step to return. Asked again before then, it still starts once.
    if (std::exchange(restart_queued_, true)) return;
    later([this] {
        restart_queued_ = false;
        if (engine()) start_document();
    });
}

void orbel_client::show_busy(int mode, int value) {
    if (!devices_) return;
    if (mode == busy_show) {
        if (!devices_->busy_visible()) devices_->busy_show();
        devices_->busy_advance(1, value);
    } else if (mode == busy_hide) {
        devices_->busy_hide();
    } else {
        devices_->busy_advance(mode, value);
    }
}

void orbel_client::paintEvent(QPaintEvent*) {
    if (rect().isEmpty()) return;
    QPainter painter(this);
    // Before the document starts the screen stays dark, as a phone's does;
    // so does it while a fresh start is on its way, rather than showing the
    // page the phone is leaving (another site's, say) once more.
    if (!started_ || !host_ || restart_queued_) return painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, host_->graphics().buffer());
}

void orbel_client::keyPressEvent(QKeyEvent* event) {
    if (!started_ || !engine()) return QWidget::keyPressEvent(event);
    slip_->stop();
    const int key = orbel_client_key_code(event->key());
    if (key < 0) return QWidget::keyPressEvent(event);
    vux_engine_key(engine(), key);
}

void orbel_client::wheelEvent(QWheelEvent* event) {
    if (!started_ || captured_ || !engine()) return;
    const orbel_client_wheel wheel = orbel_client_wheel_keys(event->angleDelta().y());
    for (int i = 0; i < wheel.count && engine(); ++i) vux_engine_key(engine(), wheel.key);
}

void orbel_client::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !started_ || !engine()) return;
    captured_ = true;
    const QPoint at = event->position().toPoint();
    vux_engine_pointer(engine(), 0, at.x(), at.y());
    slip_->press(at.y());
}

void orbel_client::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void orbel_client::mouseMoveEvent(QMouseEvent* event) {
    if (!started_ || !captured_ || !engine()) return;
    const QPoint at = event->position().toPoint();
    vux_engine_pointer(engine(), 2, at.x(), at.y());
    slip_->move(at.y());
}

void orbel_client::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !started_ || !captured_ || !engine()) return;
    captured_ = false;
    const QPoint at = event->position().toPoint();
    vux_engine_pointer(engine(), 1, at.x(), at.y());
    slip_->release(at.y());
}
