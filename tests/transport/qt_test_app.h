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

// Delivers every event already queued, zero-time timers included, without
// waiting for time to pass. For checks that nothing more happens: first wait
// until nothing more can come (every request ended, every peer closed), then
// drain what is still on its way through the event loop.
inline void qt_drain() {
    qt_test_app();
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}
