#pragma once
#include <sys/resource.h>
#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <QtTest/QTest>
#include <csignal>
#include <utility>
#include <vector>
#include "launcher/tessin_host.h"

// One application object for the whole test program: the dialogs need it,
// and the tests drive its event loop. Never destroyed: at exit it would go
// after Qt's own static state.
inline QApplication& launcher_test_app() {
    static QApplication* app = nullptr;
    if (!app) {
        static int argc = 1;
        static char name[] = "launcher_test";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        app->setQuitOnLastWindowClosed(false);
    }
    return *app;
}

template <class F>
bool launcher_wait_for(F condition, int ms = 20000) {
    launcher_test_app();
    return QTest::qWaitFor(condition, ms);
}

// Stands in for the desktop: records every message box and every program
// start instead of blocking or starting anything.
struct recording_host : tessin_host {
    void show_message(QWidget* over, const QString& text) override {
        messages << text;
        shown_over << (over ? over->objectName() : QString());
    }
    bool start_program(const QString& program, const QStringList& arguments) override {
        starts.emplace_back(program, arguments);
        return start_result;
    }
    QStringList messages;
    QStringList shown_over;  // the object name of each message's dialog
    std::vector<std::pair<QString, QStringList>> starts;
    bool start_result = true;
};

// A dialog that stays up past the time limit is closed, so a fault that
// leaves the launcher waiting for ever fails the test instead of hanging it.
class dialog_watchdog {
public:
    explicit dialog_watchdog(int ms = 20000) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            fired_ = true;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->done(QDialog::Rejected);
        });
        timer_.start(ms);
    }
    bool fired() const { return fired_; }

private:
    QTimer timer_;
    bool fired_ = false;
};

// While it lives, files of this process cannot grow past the limit: a disk
// that fills part-way through a write.
class file_size_limit {
public:
    explicit file_size_limit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~file_size_limit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    file_size_limit(const file_size_limit&) = delete;
    file_size_limit& operator=(const file_size_limit&) = delete;
    bool ok() const { return ok_; }

private:
    rlimit saved_{};
    bool ok_ = false;
};

inline QByteArray read_bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool write_bytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
