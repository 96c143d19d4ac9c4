#pragma once
#include "gui/orbel_emulator_site.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

// The site manager's emulator (button 1091). The emulator lives above the
// client library, so the program hands the client a factory for its frame:
// it makes the frame, skin loaded, as a window of the owner, or null. The
// site manager passes the session's second text, which the phone's engine
// reports as its desktop session.
using orbel_emulator_factory = std::function<std::unique_ptr<QWidget>(QWidget* owner, const QString& session_text)>;

// Set once by the program's main; an empty factory turns the emulator off.
void orbel_set_emulator_factory(orbel_emulator_factory factory);
const orbel_emulator_factory& orbel_get_emulator_factory();
