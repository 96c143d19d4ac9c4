#include "launcher/tessin_client_writer.h"
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QTemporaryFile>

namespace {
// Every class that may read the file may also run it.
QFileDevice::Permissions executable(QFileDevice::Permissions p) {
    using P = QFileDevice;
    p |= P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadUser | P::WriteUser | P::ExeUser;
    if (p & P::ReadGroup) p |= P::ExeGroup;
    if (p & P::ReadOther) p |= P::ExeOther;
    return p;
}

// The file's own mode: owner, group and others (Qt adds the running user's
// view, which is no part of the file).
constexpr QFileDevice::Permissions mode_bits = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                               QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                               QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

// False when the disk of folder is known to hold fewer than length bytes more.
bool room_for(const QString& folder, int64_t length) {
    const QStorageInfo disk(folder);
    return !disk.isValid() || disk.bytesAvailable() < 0 || disk.bytesAvailable() >= length;
}

bool write_all(QFileDevice& file, const char* data, int64_t length) {
    while (length > 0) {
        const qint64 n = file.write(data, length);
        if (n <= 0) return false;
        data += n;
        length -= n;
    }
    return true;
}
}  // namespace

tessin_client_writer::tessin_client_writer(const QString& path) : path_(path) {}

tessin_client_writer::~tessin_client_writer() { cancel(); }

QFileDevice* tessin_client_writer::target() const {
    if (beside_) return beside_.get();
    return spool_.get();
}

bool tessin_client_writer::open(int64_t length) {
    cancel();
    if (length < 0) return false;
    length_ = length;
    written_ = 0;
    const QString folder = QFileInfo(path_).absolutePath();
    if (!room_for(folder, length)) return false;
    beside_ = std::make_unique<QSaveFile>(path_);
    // Never the direct write here: it would truncate the old client before
    // the new one has arrived.
    beside_->setDirectWriteFallback(false);
    if (beside_->open(QIODevice::WriteOnly)) return true;
    beside_.reset();
    // The folder takes no new file. Only an existing client that may be
    // written can be replaced, by copying over it at the end.
    const QFileInfo old(path_);
    if (!old.isFile() || !old.isWritable() || !room_for(QDir::tempPath(), length)) return false;
    spool_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/tessin-XXXXXX"));
    if (spool_->open()) return true;
    spool_.reset();
    return false;
}

bool tessin_client_writer::write(const uint8_t* data, int64_t length) {
    QFileDevice* file = target();
    if (!file || length < 0 || length > length_ - written_) {
        cancel();
        return false;
    }
    if (!write_all(*file, reinterpret_cast<const char*>(data), length)) {
        cancel();
        return false;
    }
    written_ += length;
    return true;
}

bool tessin_client_writer::commit() {
    if (!target() || written_ != length_) {
        cancel();
        return false;
    }
    const QFileInfo old(path_);
    const QFileDevice::Permissions permissions =
        executable(old.exists() ? old.permissions() : QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (beside_) {
        const bool ok = beside_->setPermissions(permissions) && beside_->commit();
        beside_.reset();
        return ok;
    }
    // Copied over the old client in place: not atomic, which is why it waits
    // until every byte has arrived.
    std::unique_ptr<QTemporaryFile> spool = std::move(spool_);
    if (!spool->flush() || !spool->seek(0)) return false;
    QSaveFile in_place(path_);
    in_place.setDirectWriteFallback(true);
    if (!in_place.open(QIODevice::WriteOnly)) return false;
    QByteArray piece;
    for (int64_t left = length_; left > 0; left -= piece.size()) {
        piece = spool->read(std::min<int64_t>(left, int64_t(1) << 20));
        if (piece.isEmpty() || !write_all(in_place, piece.constData(), piece.size())) {
            in_place.cancelWriting();
            return false;
        }
    }
    // The file may belong to someone else, who alone may change its mode:
    // one that is runnable already is left as it is.
    if ((old.permissions() & mode_bits) != (permissions & mode_bits) && !in_place.setPermissions(permissions)) {
        in_place.cancelWriting();
        return false;
    }
    return in_place.commit();
}

void tessin_client_writer::cancel() {
    if (beside_) beside_->cancelWriting();
    beside_.reset();
    spool_.reset();
}
