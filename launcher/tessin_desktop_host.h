#pragma once
#include "launcher/tessin_host.h"

// The real desktop: Qt message boxes and detached processes.
class tessin_desktop_host : public tessin_host {
public:
    void show_message(QWidget* parent, const QString& text) override;
    bool start_program(const QString& program, const QStringList& arguments) override;
};
