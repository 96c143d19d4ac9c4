#pragma once

// The emulator frame's property that names the site selected in the site
// manager (its key, empty for none): the phone then opens on that site's
// page. The site manager sets it, the frame reads it; neither links the other.
inline constexpr const char* orbel_emulator_site_property = "selected_site";
