#pragma once
#include <cstdint>
#include "markup/model/vux_brush_sheet.h"
#include "markup/model/vux_data_list.h"
#include "markup/model/vux_resource.h"
#include "markup/runtime/vux_environment.h"
#include "markup/runtime/vux_metrics.h"

class vux_manager;
class vux_device;

// Drawing side of the runtime. It keeps what screens draw from: the named
// data items, the resource table, the colour sheet and the shared variables.
// Painting and opening screens come later; for now the canvas counts them.
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

    bool pointer_seen = false;
    int32_t repaint_count = 0;
    int32_t reset_count = 0;

private:
    vux_manager* manager_ = nullptr;
    vux_data_list images_;
    vux_resource resources_;
    vux_brush_sheet brush_sheet_;
    vux_environment variables_;
};
