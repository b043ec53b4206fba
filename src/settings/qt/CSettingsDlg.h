#pragma once
// The Settings dialog: the editor font with its face list filtered by pitch
// and character set, the printer font and page decorations, display switches,
// requirements, the helper programs and the web help addresses.
#include <QDialog>

#include "settings/SettingsForm.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tagloom {

struct Platform;

class CSettingsDlg : public QDialog {
public:
    CSettingsDlg(const SettingsForm& form, Platform& platform, QWidget* parent);

    // The values of the controls, the dialog's place included.
    SettingsForm form() const;

    // OK: an empty recent-file count keeps the dialog open.
    void accept() override;
    // Fills the face list for the pitch and character set chosen.
    void fillFaceList();
    // A helper program chosen in the file dialog: 0 browser, 1 differencing, 2 graphics.
    void browse(int program);

    QComboBox* faceBox() const { return faceBox_; }
    QLabel* faceCount() const { return faceCount_; }
    QPlainTextEdit* sample() const { return sample_; }
    QButtonGroup* pitchGroup() const { return pitch_; }
    QButtonGroup* charSetGroup() const { return charSet_; }
    QLineEdit* mruBox() const { return mru_; }
    QLineEdit* pathBox(int program) const { return paths_[program]; }
    QLabel* programLabelOf(int program) const { return programLabels_[program]; }

private:
    void showSample();
    void updateProgramLabels();

    Platform& platform_;
    SettingsForm initial_;
    QCheckBox* lineNumbers_;
    QCheckBox* readOnly_;
    QCheckBox* wordWrap_;
    QCheckBox* scrollCenter_;
    QCheckBox* confirm_;
    QComboBox* tabWidth_;
    QCheckBox* markText_;
    QButtonGroup* pitch_;
    QButtonGroup* charSet_;
    QCheckBox* unixFile_;
    QCheckBox* footer_;
    QCheckBox* header_;
    QCheckBox* printerLineNumbers_;
    QLineEdit* paths_[3];
    QLabel* programLabels_[3];
    QLineEdit* mru_;
    QLineEdit* htmlHelp_;
    QLineEdit* cssHelp_;
    QLineEdit* phpHelp_;
    QCheckBox* deleteTemp_;
    QCheckBox* restoreState_;
    QCheckBox* htmlToolsAnyText_;
    QCheckBox* autoCloseTag_;
    QCheckBox* autoIndent_;
    QCheckBox* syntaxColor_;
    QCheckBox* printColor_;
    QComboBox* fontSize_;
    QComboBox* printerSize_;
    QComboBox* faceBox_;
    QLabel* faceCount_;
    QPlainTextEdit* sample_;
};

class QtSettingsWindow : public SettingsWindow {
public:
    QtSettingsWindow(Platform& platform, QWidget* owner) : platform_(platform), owner_(owner) {}
    bool edit(SettingsForm& form) override;

private:
    Platform& platform_;
    QWidget* owner_;
};

}  // namespace tagloom
