#pragma once
#include <string>
#include "desktop/records/vux_desktop_site.h"

// The site as its members see it on a phone: the template source
// service/markup/site.json filled from the site's record and built into
// document records (a window titled with the site's name, its news, notices
// and votes, and the start action that shows it).
//
// The template is JSON: "page" is a stream in vux_build's form; the other
// members are the pieces repeated per item. In any text, "{name}" stands for
// a value of the item being filled (else of the site): site "name" and
// "introduction"; news "title", "date", "text"; notices "date", "text"; votes
// "text", "date"; a vote's options "option", "count". An array item "@news",
// "@notices", "@votes" or (inside a vote) "@options" is replaced by the
// member of that name, filled once per item, its elements spliced in.
//
// The records of the built stream, without header and trailer; empty (with a
// reason) when the template does not build.
std::string quellmark_site_records(const vux_desktop_site& site, std::string* error = nullptr);
// The same from a template's text, for tests and other templates.
std::string quellmark_site_records(const vux_desktop_site& site, const std::string& template_text,
                                   std::string* error = nullptr);
