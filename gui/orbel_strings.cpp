#include "gui/orbel_strings.h"

namespace {

struct orbel_string_entry {
    int id;
    const char16_t* text;
};

constexpr orbel_string_entry orbel_string_table[] = {
    {orbel_ids_ole_failed, u"OLE 初始化失败。请确保 OLE 库是正确的版本。"},
    {orbel_ids_socket_failed, u"网络初始化失败。"},
    {orbel_ids_user_empty, u"很抱歉，用户名不能为空！"},
    {orbel_ids_password_empty, u"很抱歉，密码不能为空！"},
    {orbel_ids_user_not_email, u"请输入合法的电子邮件地址。"},
    {orbel_ids_user_unknown, u"登录故障，系统找不到指定的用户名！"},
    {orbel_ids_verify_failed, u"验证失败，请重新输入密码。"},
    {orbel_ids_not_activated, u"该用户名需要有通过电子邮件激活后才能使用。"},
    {orbel_ids_refused, u"服务器拒绝了该操作。"},
    {orbel_ids_app_name, u"Quellmark"},
    {orbel_ids_network_failure, u"网络出现故障，退出程序！"},
    {orbel_ids_system_failure, u"系统出现故障，退出程序！"},
};

}  // namespace

QString orbel_string(int id) {
    for (const auto& entry : orbel_string_table)
        if (entry.id == id) return QString::fromUtf16(entry.text);
    return {};
}
