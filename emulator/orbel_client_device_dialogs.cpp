#include "emulator/orbel_client_device_dialogs.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

#include "emulator/amr_wav.h"
#include "emulator/orbel_client_camera.h"
#include "emulator/orbel_client_input.h"
#include "emulator/orbel_client_load.h"
#include "emulator/orbel_client_music.h"
#include "emulator/orbel_client_record.h"
#include "emulator/orbel_client_setup_location.h"
#include "emulator/vux_le_resolve_resource_ref.h"
#include "emulator/vux_waiter_window.h"
#include "gui/orbel_encode.h"
#include "gui/orbel_ui.h"
#include "markup/runtime/vux_engine.h"
#include "markup/runtime/vux_reserved_names.h"

std::string orbel_engine_emoticon_source::codes() {
    if (!engine_) return {};
    char* value = vux_engine_get_variable(engine_, vux_names::key_emoticon);
    if (!value) return {};
    std::string codes(value);
    std::free(value);  // the engine's copy is the caller's to free
    return codes;
}

QByteArray orbel_engine_emoticon_source::picture(const std::string& name) {
    if (!engine_) return {};
    int length = 0;
    const uint8_t* bytes = vux_engine_get_data(engine_, name.c_str(), &length);
    if (!bytes) return {};
    // The engine's bytes live only until its next call: copy them now.
    if (length > 0) return QByteArray(reinterpret_cast<const char*>(bytes), length);
    const std::string reference(reinterpret_cast<const char*>(bytes));
    const auto piece = vux_le_resolve_resource_ref(reference, reinterpret_cast<const uint8_t*>(blob_.constData()),
                                                   std::size_t(blob_.size()));
    if (!piece.bytes) return {};
    return QByteArray(reinterpret_cast<const char*>(piece.bytes), qsizetype(piece.size));
}

std::optional<QByteArray> orbel_captured_picture(const QString& media_folder) {
    QByteArray jpeg;
    if (!encode_file_fitted(media_folder + QStringLiteral("capture.bmp"), jpeg) || jpeg.isEmpty()) return std::nullopt;
    return jpeg;
}

std::optional<QByteArray> orbel_recorded_voice(const QString& media_folder) {
    const QString amr_path = media_folder + QStringLiteral("record.amr");
    QFile::remove(amr_path);
    std::FILE* wav = std::fopen(QFile::encodeName(media_folder + QStringLiteral("record.wav")).constData(), "rb");
    if (!wav) return std::nullopt;
    if (wav_to_amr(wav, QFile::encodeName(amr_path).toStdString()) <= 0) {
        QFile::remove(amr_path);  // "#!AMR\n" alone is no voice
        return std::nullopt;
    }
    QFile amr(amr_path);
    if (!amr.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = amr.readAll();
    if (bytes.size() <= amr_magic_size) return std::nullopt;
    return bytes;
}

namespace {

// The media files lie in the emulator's own folder, where the document's
// file requests and "_name" pictures reach them.
QString media_folder_of(QString emulator_folder) {
    if (emulator_folder.isEmpty())
        emulator_folder =
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/emulator");
    if (!emulator_folder.endsWith('/')) emulator_folder += '/';
    return emulator_folder;
}

// Takes a dialog out of use without its answer. Rejecting it first stops
// what it runs (camera, recording) at once rather than at its deletion.
void discard(QDialog* dialog, QObject* listener) {
    if (!dialog) return;
    dialog->disconnect(listener);
    dialog->reject();
    dialog->deleteLater();
}

}  // namespace

orbel_client_device_dialogs::orbel_client_device_dialogs(QWidget* client, orbel_client_devices_context context)
    : client_(client),
      context_(std::move(context)),
      media_folder_(media_folder_of(context_.emulator_folder)),
      music_(context_.make_music ? context_.make_music(media_folder_)
                                 : std::make_unique<orbel_client_music>(media_folder_)),
      waiter_(new vux_waiter_window(client)) {}

orbel_client_device_dialogs::~orbel_client_device_dialogs() {
    // Deleted here, not later: the camera and the recorder stop now, and no
    // answer can come after this object is gone.
    for (QPointer<QDialog>* d : {&text_.dialog, &capture_.dialog, &location_.dialog}) {
        if (!*d) continue;
        (*d)->disconnect(this);
        delete d->data();
    }
    delete waiter_.data();
}

template <class Done>
void orbel_client_device_dialogs::begin(slot<Done>& s, Done done) {
    end(s);
    ++s.serial;
    s.done = std::move(done);
}

template <class Done>
bool orbel_client_device_dialogs::end(slot<Done>& s) {
    const bool was_open = s.dialog != nullptr;
    discard(s.dialog, this);
    s.dialog = nullptr;
    s.done = nullptr;
    ++s.serial;  // an answer still queued for the old request is dropped
    return was_open;
}

template <class Done, class Value>
void orbel_client_device_dialogs::answer(slot<Done>& s, int serial, Value value) {
    if (serial != s.serial) return;
    Done done = std::exchange(s.done, nullptr);
    if (s.dialog) {
        s.dialog->disconnect(this);
        s.dialog->deleteLater();
        s.dialog = nullptr;
    }
    if (done) done(std::move(value));
}

template <class Done, class Make>
void orbel_client_device_dialogs::on_finish(slot<Done>& s, QDialog* dialog, Make make) {
    s.dialog = dialog;
    const int serial = s.serial;
    connect(dialog, &QDialog::finished, this,
            [this, &s, serial, make](int result) { answer(s, serial, make(result)); });
    dialog->open();
}

void orbel_client_device_dialogs::open_text_input(bool single_line, int maximum, const QString& title,
                                                  const QString& text, text_done done) {
    begin(text_, std::move(done));
    vux_engine* engine = context_.engine ? context_.engine() : nullptr;
    auto* dialog = [&] {
        if (!engine) return new orbel_client_input(single_line, maximum, title, text, nullptr, client_);
        // The grid reads its codes and pictures once, while it is made.
        orbel_engine_emoticon_source source(engine, context_.image_blob ? context_.image_blob() : QByteArray());
        return new orbel_client_input(single_line, maximum, title, text, &source, client_);
    }();
    on_finish(text_, dialog, [dialog](int result) -> std::optional<QString> {
        if (result != QDialog::Accepted) return std::nullopt;
        return static_cast<orbel_client_input*>(dialog)->text();
    });
}

bool orbel_client_device_dialogs::close_text_input() { return end(text_); }

void orbel_client_device_dialogs::open_capture(const QString& kind, media_done done) {
    if (kind != QLatin1String("photo") && kind != QLatin1String("camera") && kind != QLatin1String("voice")) return;
    begin(capture_, std::move(done));
    capture_kind_ = kind;
    QDir().mkpath(media_folder_);
    if (kind == QLatin1String("photo"))
        open_photo();
    else if (kind == QLatin1String("camera"))
        open_camera();
    else
        open_voice();
}

bool orbel_client_device_dialogs::close_capture() {
    if (capture_kind_ != QLatin1String("photo") || !capture_.dialog) return false;
    return end(capture_);
}

void orbel_client_device_dialogs::open_photo() {
    auto* chooser = new orbel_client_load(client_);
    on_finish(capture_, chooser, [chooser](int result) -> std::optional<QByteArray> {
        if (result != QDialog::Accepted) return std::nullopt;
        const QStringList files = chooser->selectedFiles();
        if (files.isEmpty()) return std::nullopt;
        QByteArray jpeg = orbel_client_load_picture(files.first());
        if (jpeg.isEmpty()) return std::nullopt;
        return jpeg;
    });
}

void orbel_client_device_dialogs::open_camera() {
    const QString capture_path = media_folder_ + QStringLiteral("capture.bmp");
    QFile::remove(capture_path);
    auto camera = context_.make_camera ? context_.make_camera() : std::make_unique<vux_le_camera>();
    if (!camera->open()) {
        camera->close();
        const int serial = capture_.serial;
        QMetaObject::invokeMethod(
            this,
            [this, serial] {
                if (serial != capture_.serial) return;
                orbel_get_ui().message(client_, QStringLiteral("No Camera"));
                answer(capture_, serial, std::optional<QByteArray>());
            },
            Qt::QueuedConnection);
        return;
    }
    auto* dialog = new orbel_client_camera(std::move(camera), capture_path, client_);
    const QString folder = media_folder_;
    on_finish(capture_, dialog, [folder](int result) -> std::optional<QByteArray> {
        if (result != QDialog::Accepted) return std::nullopt;
        return orbel_captured_picture(folder);
    });
}

void orbel_client_device_dialogs::open_voice() {
    QFile::remove(media_folder_ + QStringLiteral("record.wav"));
    QFile::remove(media_folder_ + QStringLiteral("record.amr"));
    auto recorder = context_.make_recorder ? context_.make_recorder() : std::make_unique<orbel_voice_recorder>();
    // Without an audio input the dialog shows all the same and records
    // nothing; closing it answers with nothing.
    recorder->start();
    auto* dialog = new orbel_client_record(std::move(recorder), media_folder_ + QStringLiteral("record.wav"), client_);
    const QString folder = media_folder_;
    on_finish(capture_, dialog, [folder](int result) -> std::optional<QByteArray> {
        if (result != QDialog::Accepted) return std::nullopt;
        return orbel_recorded_voice(folder);
    });
}

int orbel_client_device_dialogs::play_voice(const QByteArray& bytes) {
    QDir().mkpath(media_folder_);
    return music_->play(bytes);
}

void orbel_client_device_dialogs::stop_voice() { music_->stop(); }

void orbel_client_device_dialogs::request_location(const QString& latitude, const QString& longitude,
                                                   location_done done) {
    begin(location_, std::move(done));
    auto* dialog = new orbel_client_setup_location({latitude, longitude}, client_);
    on_finish(location_, dialog, [dialog](int result) -> std::optional<std::pair<QString, QString>> {
        if (result != QDialog::Accepted) return std::nullopt;
        const orbel_location typed = static_cast<orbel_client_setup_location*>(dialog)->location();
        return std::pair(typed.latitude, typed.longitude);
    });
}

bool orbel_client_device_dialogs::busy_visible() const { return waiter_ && waiter_->isVisible(); }

void orbel_client_device_dialogs::busy_show() {
    if (!waiter_ || waiter_->isVisible()) return;
    waiter_->recentre();
    waiter_->show();
    waiter_->raise();
}

void orbel_client_device_dialogs::busy_hide() {
    if (waiter_) waiter_->show_busy(0, 0);
}

void orbel_client_device_dialogs::busy_advance(int mode, int value) {
    if (waiter_) waiter_->advance(mode, value);
}

std::unique_ptr<orbel_client_devices> orbel_make_client_devices(QWidget* client, orbel_client_devices_context context) {
    return std::make_unique<orbel_client_device_dialogs>(client, std::move(context));
}

std::unique_ptr<orbel_client_devices> orbel_make_client_devices(QWidget* client) {
    return orbel_make_client_devices(client, {});
}
