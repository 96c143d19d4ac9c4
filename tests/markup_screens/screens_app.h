#pragma once
#include <QCoreApplication>
#include <QGuiApplication>

// The emulator's fonts need an application; one for the whole program.
inline QGuiApplication& screens_app() {
    static int argc = 1;
    static char name[] = "markup_screens_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* a = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!a) a = new QGuiApplication(argc, argv);
    return *a;
}
