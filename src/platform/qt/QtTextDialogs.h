#pragma once
// The entry dialog and the two text windows on Qt.
#include <QDialog>
#include <functional>

#include "platform/TextDialogs.h"

class QLineEdit;
class QPlainTextEdit;

namespace tagloom {

// A title, one line to type a value in, OK and Cancel.
class CEnterValueDlg : public QDialog {
public:
    CEnterValueDlg(const ValueEntry& entry, QWidget* parent);
    std::string value() const;

private:
    QLineEdit* edit_;
};

// A text to read and a Close button: a hexadecimal dump in a fixed-pitch font
// with its lines kept whole, or a reference text wrapped to the width.
class CTextViewDlg : public QDialog {
public:
    CTextViewDlg(TextView kind, const std::string& title, const std::string& text, QWidget* parent);
    QPlainTextEdit* textBox() const { return box_; }

private:
    QPlainTextEdit* box_;
};

class QtTextDialogs : public TextDialogs {
public:
    explicit QtTextDialogs(std::function<QWidget*()> parent) : parent_(std::move(parent)) {}
    std::optional<std::string> enterValue(const ValueEntry& entry) override;
    void showText(TextView kind, const std::string& title, const std::string& text) override;

private:
    std::function<QWidget*()> parent_;
};

}  // namespace tagloom
