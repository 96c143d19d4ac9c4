#include "client/controls/orbel_select_background.h"

const orbel_select_picture::kind orbel_select_background::gallery = {
    135, u"背景库", 207, {10, 10, 90, 130}, {290, 280}};
