#pragma once
#include <QWidget>
#include <functional>
#include <memory>

// The site manager's emulator (button 1091). The emulator lives above the
// client library, so the program hands the client a factory for its frame:
// it makes the frame, skin loaded, as a window of the owner, or null.
using orbel_emulator_factory = std::function<std::unique_ptr<QWidget>(QWidget* owner)>;

// The frame's property that names the site selected in the site manager
// (its key, empty for none): the phone then opens on that site's page.
inline constexpr const char* orbel_emulator_site_property = "selected_site";

// Set once by the program's main; an empty factory turns the emulator off.
void orbel_set_emulator_factory(orbel_emulator_factory factory);
const orbel_emulator_factory& orbel_get_emulator_factory();
