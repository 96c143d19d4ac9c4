#pragma once
#include <QByteArray>
#include <QDialog>
#include <QSize>

#include "client/controls/orbel_grid.h"

class orbel_picture_list;

// A picker over one of the program's image packs: a click on an image ends
// the dialog with OK and the image's packed bytes as the result; "取消" (2)
// ends it without a choice.
class orbel_select_picture : public QDialog {
    Q_OBJECT
public:
    struct kind {
        int dialog_id;
        const char16_t* title;
        int pack_id;
        orbel_cell_template cells;
        QSize client;
    };

    orbel_select_picture(const kind& k, QWidget* parent);

    const QByteArray& result() const { return result_; }
    orbel_picture_list* grid() const { return grid_; }

private:
    orbel_picture_list* grid_;
    QByteArray result_;
};
