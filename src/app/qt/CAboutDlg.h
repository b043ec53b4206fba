#pragma once
// The About box: the program's name, version, date and purpose, and a button
// that starts a mail to the author in the desktop's mail program.
#include <QDialog>

class QPushButton;

namespace tagloom {

struct Platform;

class CAboutDlg : public QDialog {
public:
    static constexpr const char* kAuthorAddress = "tagloom@fenwold.com";

    CAboutDlg(Platform& platform, QWidget* parent);
    QPushButton* mailButton() const { return mail_; }
    // A new mail to the author with the program's subject; a failure is told
    // in a box and the About box stays open.
    void sendMail();

private:
    Platform& platform_;
    QPushButton* mail_;
};

}  // namespace tagloom
