#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

// The mark by which a second start finds the running client: a per-user
// local server. A second start connects, asks the first to come forward and
// ends.
class orbel_instance_mark : public QObject {
    Q_OBJECT
public:
    explicit orbel_instance_mark(QObject* parent = nullptr);
    ~orbel_instance_mark() override;

    // Starts listening under `name`; a mark left behind by a run that ended
    // without removing it is replaced. False when the name cannot be taken.
    bool listen(const QString& name);
    bool listening() const;
    // Called once for every second start that asks this instance to come forward.
    void set_on_activate(std::function<void()> on_activate) { on_activate_ = std::move(on_activate); }

private:
    void on_connection();
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> on_activate_;
};

// The mark's name for the current user.
QString orbel_instance_name();
// Asks the instance listening under `name` to come forward; true when one
// took the request (this process should then end).
bool orbel_find_running_instance(const QString& name);
