#pragma once
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

// Named areas of the emulated device's screen.
class vux_le_area_list {
public:
    struct area {
        QString name;
        int left, top, right, bottom;
    };
    void add(area a) { areas_.push_back(std::move(a)); }
    // The first area of that name, compared without regard to case.
    const area* find(const QString& name) const;

private:
    std::vector<area> areas_;
};
