#pragma once

#include "widgets/dialogs.h"

// The dialogs of `tillano --check-start-up`, which checks an installation
// without anyone at the screen: every window and message that the start-up
// shows is printed on standard output instead ("window: TTipsDlg "Tips"
// /usr/share/tillano/Tips.txt"), questions are answered No, and every
// window is closed as with its close box, so the sign-in ends the program
// and the tips dialog writes nothing.
class PrintedDialogs : public QtDialogs {
public:
    void message(QWidget *parent, const QString &text) override;
    bool question(QWidget *parent, const QString &text, EnterMeans enter = EnterMeans::Yes) override;
    int exec(QDialog &dialog) override;
};
