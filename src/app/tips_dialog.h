#pragma once

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class SettingsStore;

// The tips shown at start-up: the whole tips file in a read-only text
// area, a box "Do not show this tip box again" (ticked when it opens) and
// OK. OK with the box ticked turns the tips off for later starts.
class TTipsDlg : public QDialog {
    Q_OBJECT
public:
    explicit TTipsDlg(SettingsStore &settings, QWidget *parent = nullptr);

    // Loads the file into the text area; false when it cannot be read.
    bool loadTips(const QString &path);

    QPlainTextEdit *Memo1;
    QCheckBox *CheckBox1;
    QPushButton *OKBtn;

    void OKBtnClick();

private:
    SettingsStore &settings_;
};

// The tips file of the language setting: "Tips.txt" for "0", else "trucs.txt".
QString tipsFileName();
