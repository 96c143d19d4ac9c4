#pragma once
#include <QIcon>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "client/manager/orbel_site_list.h"
#include "client/start/orbel_instance_mark.h"
#include "core/vux_string.h"
#include "desktop/records/vux_desktop_document.h"
#include "desktop/records/vux_desktop_profile.h"
#include "desktop/records/vux_desktop_session.h"
#include "desktop/transport/orbel_socket_list.h"

class orbel_main;

// The client application: decides whether this process may run, holds the
// run-wide desktop state that the logon fills in and every later dialog
// reads, and owns the main window and the socket list. One per process.
class orbel {
public:
    orbel();
    ~orbel();
    orbel(const orbel&) = delete;
    orbel& operator=(const orbel&) = delete;

    // The application of this process; null before it is built and after it is gone.
    static orbel* instance();

    // Start-up: when another instance holds the mark, brings it forward and
    // ends; ends silently
    // unless started with the one argument "shell", else creates the main
    // window, whose creation runs the logon. True to run the event loop.
    bool init_instance(const QStringList& arguments);
    // The idle pass of the event loop: drops finished sockets.
    void on_idle();

    // Destroyed in the reverse order: the main window goes before the
    // sockets its dialogs may still be waiting on.
    orbel_socket_list socket_list;
    // The cache of full sites, filled after logon by the site manager's list.
    orbel_site_list site_list;
    QIcon icon;
    int32_t remember_contacts = 1;
    int32_t hints_off = 0;
    int32_t service_port = 0;
    QString service_host;
    vux_string service_path;
    vux_desktop_session session;
    vux_desktop_document document;
    vux_desktop_profile profile;
    // The single-instance mark's name (a test gives its own), and the mark:
    // locked at start-up, listened on once the main window is created.
    QString instance_name;
    orbel_instance_mark instance_mark;
    std::unique_ptr<orbel_main> main_window;

private:
    std::unique_ptr<QObject> idle_hook_;
};

// The application; it must exist.
orbel& orbel_app();
// The tool-tip switch; 0 when no application exists.
int32_t orbel_hints_off();

// The client runs only when started by the launcher: exactly one argument,
// "shell" (case-sensitive). `arguments` includes the program itself.
bool orbel_accepts_command_line(const QStringList& arguments);

// The program: builds the application and runs it; the process exit code.
int orbel_run(int argc, char** argv);
