#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include "launcher/tessin_client.h"
#include "launcher/tessin_download_frame.h"
#include "launcher_test_support.h"

TEST(ClientPath, beside_the_launcher) {
    const QString name = tessin_client_file_name();
    const struct {
        const char* launcher;
        QString client;
    } rows[] = {
        {"C:\\x\\y\\tessin.exe", "C:\\x\\y\\" + name},
        {"/x/y/tessin", "/x/y/" + name},
        {"/x/y.z\\w/tessin", "/x/y.z\\w/" + name},  // the last separator of either kind
        {"tessin", name},
    };
    for (const auto& r : rows) EXPECT_EQ(tessin_client_path_for(QString::fromUtf8(r.launcher)), r.client) << r.launcher;
    // A long folder is never cut short.
    const QString deep = "/" + QString(300, u'd') + "/tessin";
    EXPECT_EQ(tessin_client_path_for(deep), "/" + QString(300, u'd') + "/" + name);
}

TEST(ClientDigest, of_the_whole_file) {
    QTemporaryDir dir;
    const QString path = dir.filePath("orbel");
    vux_string out;
    tessin_client_digest(path, out);  // absent
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(write_bytes(path, {}));
    tessin_client_digest(path, out);  // empty, like absent
    EXPECT_TRUE(out.empty());
    tessin_client_digest(dir.path(), out);  // a folder is no client
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(write_bytes(path, "abc"));
    tessin_client_digest(path, out);
    EXPECT_EQ(out.str(), "900150983cd24fb0d6963f7d28e17f72");
    // Larger than any one read: the digest covers every byte.
    ASSERT_TRUE(write_bytes(path, QByteArray(300000, 'a')));
    out.clear();
    tessin_client_digest(path, out);
    EXPECT_EQ(out.str(), "92712d77c46f3ee77d7ac6caba4fe2ba");
}

namespace {
vux_link view(const QByteArray& b) { return vux_link(b.constData(), int32_t(b.size())); }
}  // namespace

TEST(WriteClient, replaces_whole_and_executable) {
    QTemporaryDir dir;
    const QString path = dir.filePath("orbel");
    ASSERT_TRUE(write_bytes(path, "old client, longer than the new one"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    const QByteArray fresh("new client\0\x01\xff", 13);
    ASSERT_TRUE(tessin_write_client(path, view(fresh)));
    EXPECT_EQ(read_bytes(path), fresh);
    const QFileInfo info(path);
    EXPECT_TRUE(info.permissions() & QFileDevice::ExeOwner);
    EXPECT_TRUE(info.permissions() & QFileDevice::ExeGroup);   // readable by the group: runnable by it
    EXPECT_FALSE(info.permissions() & QFileDevice::ExeOther);  // not readable by others: still not
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"orbel"});

    // Where there was no client, the new one is executable as well.
    const QString absent = dir.filePath("fresh");
    ASSERT_TRUE(tessin_write_client(absent, view(fresh)));
    EXPECT_TRUE(QFileInfo(absent).isExecutable());
}

TEST(WriteClient, a_failed_write_keeps_the_old_client) {
    QTemporaryDir dir;
    const QString path = dir.filePath("orbel");
    const QByteArray old("#!/bin/sh\nexit 0\n");
    ASSERT_TRUE(write_bytes(path, old));

    // Folder gone: nothing written.
    EXPECT_FALSE(tessin_write_client(dir.filePath("missing/orbel"), view(old)));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));

    // A disk that fills after 4 KiB: the write fails part-way.
    {
        file_size_limit limit(4096);
        ASSERT_TRUE(limit.ok());
        EXPECT_FALSE(tessin_write_client(path, view(QByteArray(200000, 'n'))));
    }
    EXPECT_EQ(read_bytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"orbel"});  // no temporary file left
}

namespace {
// Runs f as a user who may not create files in a folder of root's; as
// anyone else runs it as it is. True when f returned true.
template <class F>
bool as_unprivileged(F f) {
    if (getuid() != 0) return f();
    const pid_t child = fork();
    if (child == 0) {
        // Only file calls from here on; the child ends without the parent's
        // clean-up.
        const bool ok = setgid(65534) == 0 && setuid(65534) == 0 && f();
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ino_t inode_of(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}
}  // namespace

TEST(WriteClient, in_a_folder_that_takes_no_new_file_writes_over_the_client) {
    QTemporaryDir dir;
    const QString path = dir.filePath("orbel");
    ASSERT_TRUE(write_bytes(path, "old client"));
    // A client every user may run and replace, in a folder only its owner
    // may add to.
    const QFileDevice::Permissions everyone_rwx =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
        QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther |
        QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(path, everyone_rwx));
    const QFileDevice::Permissions folder_rx = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                               QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), folder_rx));
    const ino_t before = inode_of(path);
    const QByteArray fresh(150000, 'f');
    EXPECT_TRUE(as_unprivileged([&] { return tessin_write_client(path, view(fresh)); }));
    EXPECT_EQ(read_bytes(path), fresh);
    EXPECT_EQ(inode_of(path), before);  // written in place
    EXPECT_EQ(QFileInfo(path).permissions() & everyone_rwx, everyone_rwx);
    // A client that may not be written either stays as it was.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_FALSE(as_unprivileged([&] { return tessin_write_client(path, view("other")); }));
    EXPECT_EQ(read_bytes(path), fresh);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"orbel"});
    QFile::setPermissions(dir.path(), folder_rx | QFileDevice::WriteOwner);
}

TEST(WriteClient, in_a_folder_that_takes_new_files_renames_over_the_client) {
    QTemporaryDir dir;
    const QString path = dir.filePath("orbel");
    ASSERT_TRUE(write_bytes(path, "old client"));
    // Even a client that may not be written is replaced as a whole.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const ino_t before = inode_of(path);
    ASSERT_TRUE(tessin_write_client(path, view("new client")));
    EXPECT_EQ(read_bytes(path), "new client");
    EXPECT_NE(inode_of(path), before);
}

namespace {
// A 3905 frame as the service writes it, its fields by hand.
QByteArray download_frame(int32_t code, int32_t status, int32_t announced, const QByteArray& file,
                          const char* trailer = "+xuv") {
    auto be32 = [](int32_t v) {
        const uint32_t u = uint32_t(v);
        const char b[4] = {char(u >> 24), char(u >> 16), char(u >> 8), char(u)};
        return QByteArray(b, 4);
    };
    return QByteArray("vux+\x01", 5) + be32(0) + be32(code) + be32(status) + be32(announced) + file + trailer;
}
}  // namespace

TEST(DownloadFrame, takes_only_a_whole_successful_3905) {
    const QByteArray file = QByteArray("new client\0\xff", 12) + QByteArray(5000, 'c');
    const int32_t n = int32_t(file.size());
    const struct {
        const char* name;
        QByteArray body;
        bool taken;  // every piece accepted and the frame whole
    } rows[] = {
        {"whole", download_frame(3905, 0, n, file), true},
        {"another code", download_frame(3907, 0, n, file), false},
        {"status not 0", download_frame(3905, 1, n, file), false},
        {"empty file", download_frame(3905, 0, 0, {}), false},
        {"file length past the body", download_frame(3905, 0, n + 1, file), false},
        {"file length short of the body", download_frame(3905, 0, n - 1, file), false},
        {"negative file length", download_frame(3905, 0, -1, file), false},
        {"bad trailer", download_frame(3905, 0, n, file, "+xuw"), false},
        {"bad header", "vux-" + download_frame(3905, 0, n, file).mid(4), false},
        {"too short for a frame", QByteArray("vux+\x01\0\0\0\0", 9), false},
    };
    for (const auto& r : rows) {
        for (int piece : {1, 7, 4096, int(r.body.size())}) {
            SCOPED_TRACE(testing::Message() << r.name << " in pieces of " << piece);
            QTemporaryDir dir;
            const QString path = dir.filePath("orbel");
            ASSERT_TRUE(write_bytes(path, "old"));
            {
                tessin_download_frame frame(path);
                bool ok = frame.begin(int32_t(r.body.size()));
                const auto* p = reinterpret_cast<const uint8_t*>(r.body.constData());
                for (int at = 0; ok && at < r.body.size(); at += piece)
                    ok = frame.take(p + at, std::min<int32_t>(piece, int32_t(r.body.size()) - at));
                EXPECT_EQ(ok && frame.whole(), r.taken);
                EXPECT_EQ(frame.commit(), r.taken);
                // Nothing but the client in its folder, whatever came.
                EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"orbel"});
            }
            EXPECT_EQ(read_bytes(path), r.taken ? file : QByteArray("old"));
        }
    }
}

TEST(DownloadFrame, a_file_that_cannot_be_written_keeps_the_old_client) {
    QTemporaryDir dir;
    const QString path = dir.filePath("orbel");
    ASSERT_TRUE(write_bytes(path, "old"));
    const QByteArray body = download_frame(3905, 0, 200000, QByteArray(200000, 'n'));
    tessin_download_frame frame(path);
    ASSERT_TRUE(frame.begin(int32_t(body.size())));
    {
        file_size_limit limit(4096);
        ASSERT_TRUE(limit.ok());
        // The frame stays good to the end: the reply is no failure.
        EXPECT_TRUE(frame.take(reinterpret_cast<const uint8_t*>(body.constData()), int32_t(body.size())));
    }
    EXPECT_TRUE(frame.whole());
    EXPECT_FALSE(frame.commit());
    EXPECT_EQ(read_bytes(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"orbel"});
}
