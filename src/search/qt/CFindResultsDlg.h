#pragma once
// The results of Find in Files: the text, Go To (the default button) and Close.
#include <QDialog>
#include <functional>
#include <string>

class QPlainTextEdit;

namespace tagloom {

class CFindResultsDlg : public QDialog {
public:
    // goTo is told the place of the selection's start in `text`, counted in
    // its bytes with CR LF line breaks, whatever the box shows.
    CFindResultsDlg(const std::string& title, const std::string& text, std::function<void(int at)> goTo,
                    QWidget* parent);
    QPlainTextEdit* textBox() const { return box_; }
    void GoTo();

private:
    std::string text_;
    QPlainTextEdit* box_;
    std::function<void(int)> goTo_;
};

}  // namespace tagloom
