#include "client/start/orbel.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPixmap>

#include "client/common/orbel_resources.h"
#include "client/start/orbel_instance_mark.h"
#include "client/start/orbel_main.h"
#include "desktop/transport/orbel_qt_translation.h"
#include "gui/orbel_strings.h"

namespace {
orbel* the_application = nullptr;
constexpr char orbel_organisation[] = "__ORBEL";
}  // namespace

orbel::orbel() : instance_name(orbel_instance_name()) {
    the_application = this;
    // Finished sockets are dropped on the idle pass, never inside their own events.
    socket_list.set_purge_when_finished(false);
    idle_hook_ = std::make_unique<QObject>();
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, idle_hook_.get(), [this] { on_idle(); });
}

orbel::~orbel() {
    idle_hook_.reset();
    main_window.reset();
    if (the_application == this) the_application = nullptr;
}

orbel* orbel::instance() { return the_application; }

orbel& orbel_app() {
    Q_ASSERT(the_application);
    return *the_application;
}

int32_t orbel_hints_off() { return the_application ? the_application->hints_off : 0; }

bool orbel_accepts_command_line(const QStringList& arguments) {
    return arguments.size() == 2 && arguments.at(1) == QLatin1String("shell");
}

bool orbel::init_instance(const QStringList& arguments) {
    if (!instance_mark.lock(instance_name)) {
        orbel_find_running_instance(instance_name);
        return false;
    }
    if (!orbel_accepts_command_line(arguments)) return false;

    QCoreApplication::setOrganizationName(QLatin1String(orbel_organisation));
    QCoreApplication::setApplicationName(orbel_string(orbel_ids_app_name));
    if (auto image = orbel_load_png_resource(orbel_res_icon)) icon = QIcon(image->pixmap());

    main_window = std::make_unique<orbel_main>();
    main_window->set_on_closed([] { QCoreApplication::quit(); });
    main_window->create();
    return true;
}

void orbel::on_idle() {
    if (main_window && main_window->site_manager()) main_window->refresh_commands();
    socket_list.purge_finished();
}

int orbel_run(int argc, char** argv) {
    QApplication application(argc, argv);
    orbel_load_qt_translation(application);
    // The main window decides when the program ends: the logon dialog closes
    // before the main window is first shown.
    application.setQuitOnLastWindowClosed(false);
    orbel client;
    if (!client.init_instance(application.arguments())) return 0;
    return application.exec();
}
