#include "client/controls/orbel_select_pallet.h"

const orbel_select_picture::kind orbel_select_pallet::gallery = {151, u"托盘库", 209, {10, 10, 190, 90}, {390, 290}};
