// Start-up: the command line, and the hand-over to a running instance.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "client/start/orbel.h"
#include "client/start/orbel_instance_mark.h"
#include "client/start/orbel_logon.h"
#include "client/start/orbel_main.h"
#include "orbel_test_support.h"

namespace {

TEST(CommandLine, only_the_one_argument_shell_runs) {
    const struct {
        QStringList arguments;
        bool runs;
    } cases[] = {
        {{"orbel", "shell"}, true},       {{"orbel"}, false},
        {{"orbel", "Shell"}, false},      {{"orbel", "SHELL"}, false},
        {{"orbel", "shell", "x"}, false}, {{"orbel", ""}, false},
        {{"orbel", " shell"}, false},     {{}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(orbel_accepts_command_line(c.arguments), c.runs) << c.arguments.join(' ').toStdString();
}

// The program itself ends at once, silently, for every other command line.
TEST(CommandLine, the_program_ends_silently_otherwise) {
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path());
    env.insert("TMPDIR", home.path());
    env.insert("USER", "start-test");
    const QList<QStringList> argument_lists = {{}, {"Shell"}, {"shell", "x"}};
    for (const QStringList& arguments : argument_lists) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ORBEL_PATH), arguments);
        ASSERT_TRUE(process.waitForFinished(10000)) << arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    }
}

// The program's environment under a user name of the test's own, so that its
// mark never meets that of another run of the suite or a real client.
QProcessEnvironment program_environment(const QString& user) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("USER", user);
    return env;
}

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override {
        orbel_test_app();
        orbel_test_clear_settings();
        app = std::make_unique<orbel>();
        app->instance_name = QStringLiteral("__ORBEL-hand-over-%1").arg(QCoreApplication::applicationPid());
    }
    void TearDown() override { app.reset(); }
    orbel_test_ui ui;
    std::unique_ptr<orbel> app;
};

TEST_F(HandOverTest, nobody_listening_means_this_instance_runs) {
    EXPECT_FALSE(orbel_find_running_instance(app->instance_name + "-none"));
}

TEST_F(HandOverTest, a_second_start_brings_the_main_window_forward) {
    orbel_main window;
    bool closed = false;
    window.set_on_closed([&] { closed = true; });
    QTimer::singleShot(0, [] { orbel_test_modal<orbel_logon>()->reject(); });
    window.create();  // the mark is set during creation
    ASSERT_TRUE(ORBEL_WAIT(closed));
    window.finish_logon(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    window.showMinimized();
    ASSERT_TRUE(ORBEL_WAIT(window.isMinimized()));
    EXPECT_TRUE(orbel_find_running_instance(app->instance_name));
    ASSERT_TRUE(ORBEL_WAIT(!window.isMinimized()));
    EXPECT_TRUE(window.isVisible());

    window.hide();
    EXPECT_TRUE(orbel_find_running_instance(app->instance_name));
    ASSERT_TRUE(ORBEL_WAIT(window.isVisible()));

    // A second start of the program itself ends at once and hands over.
    window.showMinimized();
    ASSERT_TRUE(ORBEL_WAIT(window.isMinimized()));
    const QString user = QStringLiteral("second-%1").arg(QCoreApplication::applicationPid());
    QProcess process;
    process.setProcessEnvironment(program_environment(user));
    app->instance_name = QStringLiteral("__ORBEL-") + user;
    orbel_instance_mark mark;
    int activations = 0;
    mark.set_on_activate([&] { ++activations; });
    ASSERT_TRUE(mark.listen(app->instance_name));
    process.start(QStringLiteral(ORBEL_PATH), {"shell"});
    ASSERT_TRUE(ORBEL_WAIT(process.state() == QProcess::NotRunning));
    EXPECT_EQ(process.exitCode(), 0);
    ASSERT_TRUE(ORBEL_WAIT(activations == 1)) << (activations);
}

TEST_F(HandOverTest, while_the_logon_runs_the_logon_dialog_comes_forward) {
    orbel_main window;
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* logon = orbel_test_modal<orbel_logon>();
        ASSERT_NE(logon, nullptr);
        logon->showMinimized();
        ASSERT_TRUE(ORBEL_WAIT(logon->isMinimized()));
        EXPECT_TRUE(orbel_find_running_instance(app->instance_name));
        ASSERT_TRUE(ORBEL_WAIT(!logon->isMinimized()));
        EXPECT_TRUE(logon->isVisible());
        EXPECT_FALSE(window.isVisible());  // the hidden main window stays hidden
        checked = true;
        logon->reject();
    });
    window.create();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(HandOverTest, a_mark_left_behind_by_a_crash_is_taken_over) {
    const QString name = app->instance_name + "-stale";
    QFile left(QDir(QDir::tempPath()).filePath(name));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    EXPECT_FALSE(orbel_find_running_instance(name));
    orbel_instance_mark mark;
    EXPECT_TRUE(mark.listen(name));
    EXPECT_TRUE(mark.listening());
}

// A start that finds the lock held by a live instance never takes its mark,
// however busy that instance is.
TEST_F(HandOverTest, a_live_lock_keeps_its_mark) {
    const QString name = app->instance_name + "-live";
    orbel_instance_mark first;
    int activations = 0;
    first.set_on_activate([&] { ++activations; });
    ASSERT_TRUE(first.listen(name));
    orbel_instance_mark second;
    EXPECT_FALSE(second.lock(name));
    EXPECT_FALSE(second.listen(name));
    EXPECT_FALSE(second.listening());
    EXPECT_TRUE(first.listening());
    EXPECT_TRUE(orbel_find_running_instance(name));
    EXPECT_TRUE(ORBEL_WAIT(activations == 1));
}

// Two starts racing: the one that holds the lock is not yet listening when
// the other looks; the other waits for it, hands over and ends.
TEST_F(HandOverTest, a_start_that_cannot_lock_hands_over_once_the_holder_listens) {
    const QString user = QStringLiteral("race-%1").arg(QCoreApplication::applicationPid());
    app->instance_name = QStringLiteral("__ORBEL-") + user;
    orbel_instance_mark holder;
    int activations = 0;
    holder.set_on_activate([&] { ++activations; });
    ASSERT_TRUE(holder.lock(app->instance_name));
    QProcess process;
    process.setProcessEnvironment(program_environment(user));
    process.start(QStringLiteral(ORBEL_PATH), {"shell"});
    ASSERT_TRUE(process.waitForStarted());
    QTimer::singleShot(300, [&] { ASSERT_TRUE(holder.listen(app->instance_name)); });
    ASSERT_TRUE(ORBEL_WAIT(process.state() == QProcess::NotRunning));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(ORBEL_WAIT(activations == 1));
    EXPECT_TRUE(holder.listening());
}

// A lock whose owner was killed is taken over by the next start.
TEST_F(HandOverTest, a_lock_whose_owner_has_gone_is_taken_over) {
    const QString user = QStringLiteral("stale-%1").arg(QCoreApplication::applicationPid());
    const QString name = QStringLiteral("__ORBEL-") + user;
    QProcess process;
    process.setProcessEnvironment(program_environment(user));
    process.start(QStringLiteral(ORBEL_PATH), {"shell"});
    ASSERT_TRUE(process.waitForStarted());
    orbel_instance_mark mark;
    // The program holds the lock while its logon runs.
    ASSERT_TRUE(ORBEL_WAIT(QFile::exists(orbel_instance_lock_path(name)) && !mark.lock(name)));
    process.kill();
    ASSERT_TRUE(process.waitForFinished());
    EXPECT_TRUE(QFile::exists(orbel_instance_lock_path(name)));
    EXPECT_TRUE(mark.lock(name));
    EXPECT_TRUE(mark.listen(name));
}

}  // namespace
