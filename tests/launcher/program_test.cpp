// The built launcher as the user starts it: a copy in a folder of its own,
// beside a stub client that records how it was started.
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include "launcher/tessin_client.h"
#include "launcher_test_support.h"
#include "service/quellmark_service.h"

namespace {
// A client that writes its argument count and arguments, one a line, to
// <its folder>/<tag>.args, whole or not at all.
QByteArray stub_client(const char* tag) {
    return QByteArray(
               "#!/bin/sh\n"
               "d=$(dirname \"$0\")\n"
               "printf '%s\\n' \"$#\" \"$@\" > \"$d/") +
           tag + ".tmp\" && mv \"$d/" + tag + ".tmp\" \"$d/" + tag + ".args\"\n";
}

struct Program : ::testing::Test {
    QApplication& app = launcher_test_app();
    QTemporaryDir dir;
    const QString launcher = dir.filePath(QStringLiteral("tessin"));
    const QString client = dir.filePath(tessin_client_file_name());
    const QByteArray old_client = stub_client("old");
    quellmark_service service;

    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QStringLiteral(TESSIN_PATH), launcher));
        ASSERT_TRUE(write_bytes(client, old_client));
        QFile::setPermissions(client, QFile::permissions(client) | QFileDevice::ExeOwner);
        ASSERT_TRUE(service.listen());
    }

    // Runs the launcher to its end; its exit code.
    int run_launcher() {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUELLMARK_SERVICE"), service.address());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        p.start(launcher, {});
        EXPECT_TRUE(p.waitForStarted());
        // The service answers from this process's event loop.
        EXPECT_TRUE(launcher_wait_for([&] { return p.state() == QProcess::NotRunning; }, 30000));
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
        }
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    // The recorded start of a client, once it has written it.
    QStringList recorded(const char* tag) {
        const QString path = dir.filePath(QString::fromLatin1(tag) + ".args");
        launcher_wait_for([&] { return QFileInfo::exists(path); }, 10000);
        return QString::fromUtf8(read_bytes(path)).split(u'\n', Qt::SkipEmptyParts);
    }
};
}  // namespace

TEST_F(Program, starts_the_current_client_with_shell) {
    service.state().set_client_bytes(old_client);
    EXPECT_EQ(run_launcher(), 0);
    EXPECT_EQ(recorded("old"), (QStringList{"1", "shell"}));
    EXPECT_EQ(read_bytes(client), old_client);
    EXPECT_EQ(service.served(3904), 0);
}

TEST_F(Program, replaces_an_outdated_client_and_starts_it) {
    const QByteArray new_client = stub_client("new");
    service.state().set_client_bytes(new_client);
    EXPECT_EQ(run_launcher(), 0);
    EXPECT_EQ(recorded("new"), (QStringList{"1", "shell"}));
    EXPECT_EQ(read_bytes(client), new_client);
    EXPECT_TRUE(QFileInfo(client).isExecutable());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("old.args")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"new.args", tessin_client_file_name(), "tessin"}));
}
