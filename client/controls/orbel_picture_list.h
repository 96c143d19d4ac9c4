#pragma once
#include <QByteArray>
#include <QImage>
#include <vector>

#include "client/controls/orbel_grid.h"
#include "desktop/orbel_pack_index.h"

// The grid of an image pack: each image fitted into its cell, framed red
// while pressed and white otherwise. Images are decoded once, when the pack
// is set; one that cannot be decoded leaves its cell empty. A pack whose
// count or sizes run past its bytes shows nothing.
class orbel_picture_list : public orbel_grid {
    Q_OBJECT
public:
    explicit orbel_picture_list(QWidget* parent = nullptr);

    void set_pack(const QByteArray& pack);
    int image_count() const { return int(entries_.size()); }
    // The packed bytes of image i; empty outside the pack.
    QByteArray image_bytes(int i) const;

protected:
    int cell_count() const override { return image_count(); }
    void paint_cell(QPainter& painter, int index, const QRect& cell, bool pressed) override;

private:
    QByteArray pack_;
    std::vector<orbel_pack_entry> entries_;
    std::vector<QImage> images_;
};
