#pragma once
#include <QString>
#include <cstdint>
#include <memory>

class QFileDevice;
class QSaveFile;
class QTemporaryFile;

// A new client program written piece by piece as it arrives, which takes the
// old one's place only at commit, executable.
//
// Where the client's folder takes new files, the pieces go to a temporary
// file beside the client that is renamed over it: atomic, so a failure at any
// point leaves the old client whole. Where the folder takes none but the
// client file itself may be written, the pieces are kept in a temporary file
// elsewhere and copied over the client only once all of them arrived.
class tessin_client_writer {
public:
    explicit tessin_client_writer(const QString& path);
    tessin_client_writer(const tessin_client_writer&) = delete;
    tessin_client_writer& operator=(const tessin_client_writer&) = delete;
    // A file not committed is discarded; the old client stays.
    ~tessin_client_writer();

    // Starts a file of length bytes; false when there is no room for it on
    // the disk or no place to write it.
    bool open(int64_t length);
    // False when the bytes did not all go in; the file is discarded then.
    bool write(const uint8_t* data, int64_t length);
    // Puts the file in place. False, the old client kept where the folder
    // allows that, when anything fails or fewer bytes came than announced.
    bool commit();
    // Discards the file written so far.
    void cancel();

private:
    // The file the pieces go to, while open.
    QFileDevice* target() const;

    QString path_;
    std::unique_ptr<QSaveFile> beside_;
    std::unique_ptr<QTemporaryFile> spool_;
    int64_t length_ = 0;
    int64_t written_ = 0;
};
