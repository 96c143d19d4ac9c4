#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

// The mark by which a second start finds the running client: a per-user
// lock file, and a local server that only the lock's holder runs. A second
// start that cannot take the lock connects, asks the first to come forward
// and ends.
class orbel_instance_mark : public QObject {
    Q_OBJECT
public:
    explicit orbel_instance_mark(QObject* parent = nullptr);
    ~orbel_instance_mark() override;

    // Takes the lock for `name`; a lock whose owner has gone is taken over,
    // a live owner's never. False while another process holds it.
    bool lock(const QString& name);
    bool locked() const;
    // Takes the lock, then listens under `name`. As the lock's holder this
    // instance is the only one that may listen there, so a server name left
    // behind by a run that crashed is replaced. False when either fails.
    bool listen(const QString& name);
    bool listening() const;
    // Called once for every second start that asks this instance to come forward.
    void set_on_activate(std::function<void()> on_activate) { on_activate_ = std::move(on_activate); }

private:
    void on_connection();
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> on_activate_;
};

// The mark's name for the current user.
QString orbel_instance_name();
// The lock file of the mark `name`.
QString orbel_instance_lock_path(const QString& name);
// Asks the instance listening under `name` to come forward, trying a few
// times over about a second (it may still be starting); true when one took
// the request.
bool orbel_find_running_instance(const QString& name);
