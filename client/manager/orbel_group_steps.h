#pragma once

class orbel_group;

// Plugs the dialogs that live outside the site manager into its commands:
// the site sheet, the home-page editor and the other per-site dialogs. The
// main window calls this once for the site manager it makes; tests that
// want their own steps set them on the site manager directly.
void orbel_add_group_steps(orbel_group& group);
