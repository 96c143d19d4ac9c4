#pragma once
#include <cstdint>
#include "markup/model/vux_brush_sheet.h"
#include "markup/model/vux_data_list.h"
#include "markup/model/vux_resource.h"
#include "markup/runtime/vux_environment.h"
#include "markup/runtime/vux_metrics.h"

class vux_manager;
class vux_device;
class vux_window;
class vux_dialog;
class vux_menu;

// Drawing side of the runtime. It keeps what screens draw from: the named
// data items, the resource table, the colour sheet and the shared variables.
class vux_canvas : public vux_metrics {
public:
    void bind(vux_manager* manager) { manager_ = manager; }

    vux_data_list& images() { return images_; }
    const vux_data_list& images() const { return images_; }
    vux_resource& resources() { return resources_; }
    vux_brush_sheet& brush_sheet() { return brush_sheet_; }
    vux_environment& variables() { return variables_; }
    const vux_environment& variables() const { return variables_; }

    // A "__key_" text: the variable first, then the resource table.
    vux_string text_of(const vux_string& key) const;
    bool is_touch_screen() const;
    // The device's description for the enter request.
    void describe_device(vux_device& device) const;
    // Removes a data item and its data name; tells the host it is gone.
    bool drop_data(const vux_string& name);
    void reset();

    // ---- painting, bottom to top, then the frame is finished and presented
    void paint_window(vux_window& window, bool full);
    void paint_dialog(vux_dialog& dialog);
    void paint_menu(vux_menu& menu);
    void finish_frame();
    void present() { vux_graphics::repaint(); }

    // Environment steps of modes 3 and 4.
    void note_mapped_names(const vux_string_list& pairs);
    void note_file_status(const vux_string_list& pairs);
    // Drops what the canvas holds for a screen that closed.
    void drop_owner(const vux_string& owner);

    bool pointer_seen = false;
    bool redraw_requested = false;
    int32_t paint_count = 0;
    int32_t repaint_count = 0;
    int32_t reset_count = 0;

private:
    vux_manager* manager_ = nullptr;
    vux_data_list images_;
    vux_resource resources_;
    vux_brush_sheet brush_sheet_;
    vux_environment variables_;
};
