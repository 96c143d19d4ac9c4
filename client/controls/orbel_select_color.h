#pragma once
#include <QDialog>

class orbel_color_list;
class orbel_tool_tips;

// Colour picker 136 "选择颜色": a click on a palette colour, or a colour
// taken from the system chooser through "自定义颜色..." (1025), ends the
// dialog with OK and that colour (0xRRGGBB) as the choice.
class orbel_select_color : public QDialog {
    Q_OBJECT
public:
    explicit orbel_select_color(int initial, QWidget* parent = nullptr);

    int color() const { return color_; }
    orbel_color_list* grid() const { return grid_; }

private:
    void choose_custom();

    int initial_;
    int color_;
    orbel_color_list* grid_;
    orbel_tool_tips* tips_;
};
