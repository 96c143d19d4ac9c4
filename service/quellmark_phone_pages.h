#pragma once
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "desktop/records/vux_desktop_site.h"

// The pages a member's phone shows, made from the template source
// service/markup/phone.json (built by vux_build for the demo data when the
// service builds, so a template that does not build fails the build)
// and filled from the sites' records.
//
// The template is JSON: "home_page", "site_page", "news_page" and
// "vote_page" are streams in vux_build's form; the other members are pieces
// repeated per item. In any text, "{name}" stands for a value of the item
// being filled, else of the item around it, else of the page. An array item
// "@piece" is replaced by the member of that name, filled once per item of
// the list of the same name, its elements spliced in; a list of no items
// leaves nothing, which is how a page leaves out what a site does not have.
//
// Every page first closes the pages it may replace (the runtime keeps a
// screen of the same name that is still open), sends its pictures as PNG
// data records named by their bytes, then its window, then shows it. The
// phone asks for pages with go requests (quellmark_phone_go).

// The go codes of the pages' links and soft keys: target_1 a site's key,
// target_2 an item's key; a vote's choice is "<vote key>/<option index>".
enum quellmark_phone_go : int32_t {
    quellmark_go_default = 1,  // the page the phone starts with
    quellmark_go_site = 2,     // target_2: the section to open at (coming back from an item), or empty
    quellmark_go_home = 3,
    quellmark_go_news = 4,
    quellmark_go_vote = 5,
    quellmark_go_cast = 6,
};

// A site as the phone shows it: its key and record, and where the pictures
// of its news, notices and votes are kept (by the name the item carries).
struct quellmark_phone_site {
    std::string key;
    const vux_desktop_site* site = nullptr;
    std::function<QByteArray(const std::string& name)> picture;
    // The section the site's page opens at (a member coming back from one
    // of its items); empty or unknown: its top.
    std::string section;
};

// The records of a page, without header and trailer; empty (with a reason)
// when the template does not build. `template_text` empty: the built-in one.
// `source`, when given, gets the filled page in vux_build's JSON form (the
// build checks the template with it, service/CMakeLists.txt).
std::string quellmark_home_records(const std::vector<quellmark_phone_site>& sites, std::string* error = nullptr,
                                   const std::string& template_text = {}, std::string* source = nullptr);
std::string quellmark_site_records(const quellmark_phone_site& site, std::string* error = nullptr,
                                   const std::string& template_text = {}, std::string* source = nullptr);
// One news item or one vote by its key; empty (no error) when the site has
// no such item. `voted`: this phone has voted already, so the page offers
// no choice.
std::string quellmark_news_records(const quellmark_phone_site& site, const std::string& news_key,
                                   std::string* error = nullptr, const std::string& template_text = {},
                                   std::string* source = nullptr);
std::string quellmark_vote_records(const quellmark_phone_site& site, const std::string& vote_key, bool voted,
                                   std::string* error = nullptr, const std::string& template_text = {},
                                   std::string* source = nullptr);

// A picture as the pages send it: scaled down to fit width x height
// pixels (never up) and encoded as PNG; empty when the bytes are no picture.
QByteArray quellmark_phone_png(const QByteArray& bytes, int width, int height);
// The colour text of the markup for 0xRRGGBB at an opacity of 0-100.
std::string quellmark_phone_colour(int32_t rgb, int32_t opacity = 100);
