#pragma once
#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "client/controls/orbel_form_dialog.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class orbel_list_box;
class orbel_static_picture;
class orbel_tool_tips;

// What the three add dialogs share: the picture with "设置图片" and
// "清除图片", the content, check boxes, and OK enabled exactly while the
// dialog's rule holds (checked after every change).
class orbel_add_item : public QDialog {
    Q_OBJECT
public:
    QString content() const;
    const QByteArray& picture() const;

protected:
    orbel_add_item(const char* id, const QString& title, QWidget* parent);
    // Lays out a labelled control in the form's next row.
    void add_row(const QString& label, QWidget* control);
    QCheckBox* add_check(const char* id, const QString& label, const QString& tip);
    QLineEdit* add_number(const char* id, const QString& label, const QString& tip, const QString& value);
    // The content edit and the picture go after the dialog's own rows.
    void finish();
    virtual bool ok_allowed() const = 0;
    void check();
    orbel_tool_tips* tips() const { return tips_; }

    QPlainTextEdit* content_;
    orbel_static_picture* picture_;

private:
    void set_picture();

    QGridLayout* grid_;
    QPushButton* ok_;
    orbel_tool_tips* tips_;
    int rows_ = 0;
};

// A new news item (dialog 118).
class orbel_add_news : public orbel_add_item {
    Q_OBJECT
public:
    explicit orbel_add_news(QWidget* parent = nullptr);
    QString title() const;
    int32_t comments() const;

protected:
    bool ok_allowed() const override;

private:
    QLineEdit* title_ = nullptr;
    QCheckBox* comments_ = nullptr;
};

// A new notice (dialog 114).
class orbel_add_notice : public orbel_add_item {
    Q_OBJECT
public:
    explicit orbel_add_notice(QWidget* parent = nullptr);
    int32_t members_only() const;
    int32_t push() const;
    int32_t show_receivers() const;

protected:
    bool ok_allowed() const override;

private:
    QCheckBox* members_only_ = nullptr;
    QCheckBox* push_ = nullptr;
    QCheckBox* show_receivers_ = nullptr;
};

// A new vote (dialog 130) with its options.
class orbel_add_vote : public orbel_add_item {
    Q_OBJECT
public:
    explicit orbel_add_vote(QWidget* parent = nullptr);
    int32_t valid_days() const;
    int32_t max_selections() const;
    int32_t members_only() const;
    int32_t comments() const;
    QStringList options() const;
    // Adds an option by the rule of the add button; true when it was added.
    bool add_option(const QString& name);

protected:
    bool ok_allowed() const override;

private:
    void on_add_option();
    void on_delete_option();
    void move_option(int by);

    QLineEdit* days_ = nullptr;
    QLineEdit* max_ = nullptr;
    orbel_list_box* options_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QCheckBox* members_only_ = nullptr;
    QCheckBox* comments_ = nullptr;
};

// Asks for one option name (dialog 133).
class orbel_input_option : public orbel_form_dialog {
    Q_OBJECT
public:
    explicit orbel_input_option(QWidget* parent = nullptr);
    QString name() const;

private:
    QLineEdit* name_;
};
