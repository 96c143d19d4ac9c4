#pragma once
#include <QWidget>
#include <memory>

#include "client/common/orbel_image.h"

// The title banner of the logon dialog and the site manager: the banner strip
// repeated across the top and the logo centred over it.
class orbel_banner : public QWidget {
    Q_OBJECT
public:
    explicit orbel_banner(QWidget* parent = nullptr);
    ~orbel_banner() override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<orbel_image> strip_;
    std::unique_ptr<orbel_image> logo_;
};
