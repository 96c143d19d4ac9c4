#include "client/controls/orbel_select_logo.h"

const orbel_select_picture::kind orbel_select_logo::gallery = {134, u"图标库", 205, {10, 10, 74, 74}, {500, 480}};
