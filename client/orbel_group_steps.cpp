#include "client/orbel_group_steps.h"

#include "client/orbel_group.h"
#include "client/orbel_homepage.h"
#include "client/orbel_site_sheet.h"
#include "client/orbel_text.h"
#include "desktop/records/vux_desktop_group.h"
#include "desktop/records/vux_desktop_site.h"

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
}
