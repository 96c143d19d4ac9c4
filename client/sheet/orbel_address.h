#pragma once
#include <QDialog>
#include <QUrl>

class QLineEdit;
class QPushButton;
class orbel_tool_tips;

// The address lookup dialog (122): opens the public geocoder's page for a
// typed address, to find a site's map position.
class orbel_address : public QDialog {
    Q_OBJECT
public:
    explicit orbel_address(QWidget* parent = nullptr);

    // The geocoder page for an address, the address URL-encoded as UTF-8.
    static QUrl lookup_url(const QString& address);

private:
    void on_lookup();
    QLineEdit* address_;
    QPushButton* lookup_;
    orbel_tool_tips* tips_;
};
