#pragma once
#include <QWidget>
#include <functional>
#include <memory>

// The site manager's emulator (button 1091). The emulator lives above the
// client library, so the program hands the client a factory for its frame.
using orbel_emulator_factory = std::function<std::unique_ptr<QWidget>()>;

// Set once by the program's main; an empty factory turns the step off.
void orbel_set_emulator_factory(orbel_emulator_factory factory);
bool orbel_has_emulator_factory();

// The step of button 1091 on the frame its owner keeps: the first use makes
// the frame under the wait cursor (its skin loaded) and shows it; later uses
// toggle it. The frame, and its engine, die with the owner's pointer. False
// when there is no factory or it made nothing.
bool orbel_emulator_toggle(std::unique_ptr<QWidget>& frame);
