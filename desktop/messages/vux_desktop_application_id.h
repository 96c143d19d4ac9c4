#pragma once

// The application id the launcher names itself by in upgrade and download requests.
inline constexpr const char* vux_desktop_application_id = "quellmark";
