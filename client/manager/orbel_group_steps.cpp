#include "client/manager/orbel_group_steps.h"

#include "client/contacts/orbel_contact.h"
#include "client/contacts/orbel_share.h"
#include "client/contacts/orbel_sms.h"
#include "client/content/orbel_item_list.h"
#include "client/content/orbel_messagebox.h"
#include "client/manager/orbel_group.h"
#include "client/sheet/orbel_homepage.h"
#include "client/sheet/orbel_site_sheet.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_request_sms.h"
#include "desktop/records/vux_desktop_group.h"
#include "desktop/records/vux_desktop_site.h"
#include "gui/orbel_text.h"

namespace {

// A content list (news, notices, votes): runs over the site's list and puts
// its changed items into the update, returning the change bit it set.
using list_runner = int32_t (*)(QWidget* parent, const QString& management_name, const vux_desktop_site& site,
                                vux_desktop_site& update);

}  // namespace

void orbel_add_group_steps(orbel_group& group) {
    group.set_sheet_opener([](QWidget* parent, const orbel_group::sheet_request& request) {
        orbel_site_sheet::outcome out =
            orbel_site_sheet::run(parent, orbel_to_qstring(request.group.display_name), request.group.name,
                                  request.site, request.template_site, request.new_site);
        orbel_group::sheet_result result;
        result.accepted = out.accepted;
        result.update = std::move(out.request);
        return result;
    });
    orbel_group* manager = &group;
    group.set_command_step(1096, [manager](const vux_desktop_group& g, const vux_desktop_site& site) {
        auto update = orbel_homepage::run(manager, orbel_to_qstring(g.display_name), g.name, site);
        if (update) manager->send_update(g.name, std::move(update));
    });
    const std::pair<int, list_runner> lists[] = {
        {1043, orbel_run_news}, {1020, orbel_run_notices}, {1079, orbel_run_votes}};
    for (const auto& [id, runner] : lists) {
        group.set_command_step(id, [manager, runner](const vux_desktop_group& g, const vux_desktop_site& site) {
            auto update = std::make_unique<vux_desktop_request_site>();
            if (runner(manager, orbel_to_qstring(g.display_name), site, update->site) != 0)
                manager->send_update(g.name, std::move(update));
        });
    }
    group.set_command_step(1047, [manager](const vux_desktop_group& g, const vux_desktop_site& site) {
        auto update = std::make_unique<vux_desktop_request_site>();
        if (orbel_contact::run(site, orbel_to_qstring(g.display_name), orbel_app().remember_contacts, update->site,
                               manager) != 0)
            manager->send_update(g.name, std::move(update));
    });
    group.set_command_step(1041, [manager](const vux_desktop_group& g, const vux_desktop_site& site) {
        vux_desktop_request_site request;
        if (orbel_share::run(site, g.name, manager, request)) manager->send_share(g.name, request.data);
    });
    group.set_command_step(1049, [manager](const vux_desktop_group& g, const vux_desktop_site& site) {
        vux_desktop_request_sms request;
        if (orbel_sms::run(g.name, orbel_to_qstring(site.name), manager, request))
            manager->send_sms(g.name, orbel_to_qstring(request.text), request.numbers);
    });
    // The box talks to the service itself; nothing is sent on its return.
    group.set_command_step(1022, [manager](const vux_desktop_group& g, const vux_desktop_site& site) {
        orbel_run_messagebox(manager, g.name, orbel_to_qstring(site.name), site.members);
    });
}
