#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include "launcher/tessin_client.h"
#include "launcher_test_support.h"

TEST(client_path, beside_the_launcher) {
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

TEST(client_digest, of_the_whole_file) {
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

TEST(write_client, replaces_whole_and_executable) {
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

TEST(write_client, a_failed_write_keeps_the_old_client) {
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
