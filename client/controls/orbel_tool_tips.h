#pragma once
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// The tool tips of one dialog: shown for 15 seconds, at most 240 pixels wide
// with margins of 12, and only while active (the "不显示提示信息" choice
// turns them off for the whole run).
class orbel_tool_tips : public QObject {
    Q_OBJECT
public:
    static constexpr int display_ms = 15000;
    static constexpr int max_width = 240;
    static constexpr int margin = 12;

    explicit orbel_tool_tips(QObject* parent = nullptr);

    void add(QWidget* control, const QString& text);
    void set_active(bool active) { active_ = active; }
    bool active() const { return active_; }
    // The tip registered for a control; empty when none.
    QString text(const QWidget* control) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<const QObject*, QString> tips_;
    bool active_ = true;
};
