#pragma once
#include <QString>
#include <QUrl>

// Web pages the client opens in the browser. The hosts are configuration;
// the paths are the service's own.
inline constexpr char orbel_web_host[] = "www.quellmark.com";
inline constexpr char orbel_web_account_page[] = "/tabid/58/default.aspx";
inline constexpr char orbel_web_help_page[] = "/tabid/57/language/zh-CN/Default.aspx";
// The public geocoder's page; the address goes into its query, encoded.
inline constexpr char orbel_geocoder_host[] = "api.map.baidu.com";
inline constexpr char orbel_geocoder_page[] = "/geocoder?address=";

// The public map service's page that shows a place: an encoded address, or
// "latitude,longitude", goes after the query's "q=".
inline constexpr char orbel_map_host[] = "ditu.google.cn";
inline constexpr char orbel_map_page[] = "/maps?hl=zh&mrt=loc&q=";

inline QUrl orbel_web_page(const char* path) {
    return QUrl(QStringLiteral("http://%1%2").arg(QLatin1String(orbel_web_host), QLatin1String(path)));
}
