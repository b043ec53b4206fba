#pragma once
// The modeless Find and Mark dialog, in Find and Mark or in Replace mode:
// every button press sends one request to the find engine and then updates
// the histories. Enter and Esc do nothing here; Cancel or the close box close it.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tagloom {

class FindEngine;
struct EditorSettings;
struct Platform;

class CFindMarkDlg : public QDialog {
    Q_OBJECT
public:
    CFindMarkDlg(FindEngine& engine, EditorSettings& settings, Platform& platform, bool markMode,
                 const std::string& findText, QWidget* parent);

    // Told when the dialog closes, with its top-left corner on the screen.
    void setCloseListener(std::function<void(const QPoint&)> listener) { closeListener_ = std::move(listener); }

    QComboBox* findCombo() const { return findCombo_; }
    QComboBox* replaceCombo() const { return replaceCombo_; }
    // The button of a control id of the dialog: 1009, 1007, 1014, 1011, 1016 or 1013.
    QPushButton* button(int id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void press(int id);
    void clearHistory(QComboBox* combo, std::vector<std::string>& history, QPushButton* clear, bool find);

    FindEngine& engine_;
    EditorSettings& settings_;
    Platform& platform_;
    const bool bMarkMode;
    QComboBox* findCombo_ = nullptr;
    QComboBox* replaceCombo_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* scrollCenter_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    std::vector<std::pair<int, QPushButton*>> buttons_;
    std::vector<QWidget*> replaceRow_;
    QLabel* escNote_ = nullptr;
    std::function<void(const QPoint&)> closeListener_;
};

}  // namespace tagloom
