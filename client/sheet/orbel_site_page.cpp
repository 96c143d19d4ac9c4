#include "client/sheet/orbel_site_page.h"

#include "client/controls/orbel_custom_picture.h"
#include "client/controls/orbel_static_picture.h"
#include "client/controls/orbel_tool_tips.h"
#include "client/start/orbel.h"

orbel_site_page::orbel_site_page(const char* id, const QString& title, QWidget* parent)
    : QWidget(parent), title_(title), tips_(new orbel_tool_tips(this)) {
    setObjectName(QLatin1String(id));
    tips_->set_active(orbel_hints_off() == 0);
}

void orbel_site_page::add_tip(QWidget* w, const QString& tip) { tips_->add(w, tip); }

bool orbel_site_page::choose_file(QWidget* parent, const orbel_picture_texts& texts, QSize box,
                                  orbel_static_picture* control) {
    QByteArray picture = control->bytes();
    if (!orbel_custom_picture(parent, texts, box, picture)) return false;
    control->set_bytes(picture);
    return true;
}
