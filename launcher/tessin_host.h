#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// What the launcher asks of the desktop around it: a message box and the
// start of a program. The program uses tessin_desktop_host; tests put a
// recorder in its place so that no box blocks and nothing is started.
class tessin_host {
public:
    virtual ~tessin_host();
    // A message box with the application title and an OK button; returns
    // once the user has closed it.
    virtual void show_message(QWidget* parent, const QString& text) = 0;
    // Starts the program as an independent process with these arguments;
    // false when it could not be started.
    virtual bool start_program(const QString& program, const QStringList& arguments) = 0;
};
