#pragma once
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QGridLayout;
class QLineEdit;
class QPushButton;
class orbel_tool_tips;

// The shape of the client's small input dialogs: labelled edits, buttons 1
// "确定" and 2 "取消", tool tips active unless the run turned them off, and
// OK enabled exactly while the dialog's rule accepts its fields. It opens
// with the focus in its first field, that field's text selected, and Enter
// in a field accepts exactly while OK is enabled. The edits are wide enough
// for an e-mail address and the dialog for its whole title.
class orbel_form_dialog : public QDialog {
    Q_OBJECT
public:
    orbel_form_dialog(const char* id, const QString& title, QWidget* parent);

protected:
    // Adds a labelled edit with its resource id and tip (empty for none).
    QLineEdit* add_edit(const char* id, const QString& label, const QString& tip, bool password = false);
    // The rule for OK; checked now and after every edit.
    void set_ok_rule(std::function<bool()> rule);
    void check_ok();

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGridLayout* grid_;
    QPushButton* ok_;
    orbel_tool_tips* tips_;
    std::function<bool()> rule_;
    std::vector<QLineEdit*> fields_;
    bool shown_ = false;
};
