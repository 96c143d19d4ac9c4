#pragma once
#include <QCoreApplication>
#include <QtTest/QTest>

// One application object for the whole test program: sockets and timers
// need it, and the tests drive its event loop with qt_wait_for.
inline QCoreApplication& qt_test_app() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until the condition holds or the time is up.
template <class F>
bool qt_wait_for(F condition, int ms = 10000) {
    qt_test_app();
    return QTest::qWaitFor(condition, ms);
}

// Runs the event loop for a while, for checks that nothing (more) happens.
inline void qt_spin(int ms) {
    qt_test_app();
    QTest::qWait(ms);
}
