#pragma once
#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class orbel_emoticon_list;
class orbel_emoticon_source;

// What a text-input title asks for: a title "[code]caption" shows the
// caption and the emoticon grid; any other title stands as given.
struct orbel_input_title {
    QString caption;
    bool grid = false;
};
orbel_input_title orbel_input_title_of(const QString& title);

// The text cut to at most `maximum` UTF-16 units (0: no limit), never
// inside a surrogate pair.
QString orbel_input_limited(const QString& text, int maximum);

// The text-input dialog (145): edit 1038, "插入换行" 1097, OK and Cancel;
// Return is OK, so line breaks come only from 1097.
class orbel_client_input : public QDialog {
public:
    // source: where the emoticon grid reads from; null shows no grid.
    orbel_client_input(bool single_line, int maximum, const QString& title, const QString& text,
                       orbel_emoticon_source* source, QWidget* parent = nullptr);

    // The entered text in the engine's form.
    QString text() const;
    bool has_grid() const { return grid_ != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void insert_line_break();
    void enforce_limit();

    int maximum_;
    int inserted_end_ = 0;  // where the document's last insertion ended
    QPlainTextEdit* edit_;
    QLabel* placeholder_;
    QPushButton* line_break_;
    orbel_emoticon_list* grid_ = nullptr;
};
