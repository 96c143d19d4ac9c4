#pragma once
#include <QDialog>
#include <QString>

class QLineEdit;

// The stored position: "__LATITUDE" and "__LONGITUDE" of group
// "__EMULATOR", "0.000" when never set.
struct orbel_location {
    QString latitude;
    QString longitude;
};
orbel_location orbel_location_stored();
void orbel_location_store(const orbel_location& location);
// What the engine receives: "latitude longitude", as typed.
QString orbel_location_text(const orbel_location& location);

// The location dialog (149): latitude 1054, longitude 1105. OK does nothing
// while either edit is empty; otherwise it stores both and ends.
class orbel_client_setup_location : public QDialog {
public:
    explicit orbel_client_setup_location(const orbel_location& prefill, QWidget* parent = nullptr);

    orbel_location location() const;
    void accept() override;

private:
    QLineEdit* latitude_;
    QLineEdit* longitude_;
};
