#include "launcher/tessin_strings.h"

QString tessin_load_string(int id) {
    switch (id) {
    case tessin_ids_network_init: return QStringLiteral("网络初始化失败。");
    case tessin_ids_start_failure: return QStringLiteral("无法启动客户端程序：\n%1");
    case tessin_ids_app_title: return QStringLiteral("Quellmark");
    case tessin_ids_network_failure: return QStringLiteral("网络出现故障，退出程序！");
    case tessin_ids_update_failure: return QStringLiteral("软件更新故障，退出程序！");
    default: return {};
    }
}

QIcon tessin_icon() {
    Q_INIT_RESOURCE(tessin);
    return QIcon(QStringLiteral(":/tessin/128.png"));
}
