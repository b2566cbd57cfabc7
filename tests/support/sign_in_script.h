#pragma once

#include "scripted_dialogs.h"

#include "shift/password_dialog.h"

#include <QLineEdit>
#include <QtTest>

// Answers the sign-in dialog: types a code and presses Enter (OK is the
// default button).
inline ScriptedDialogs::ModalHandler typeCashierCode(const QString &code)
{
    return [code](QDialog &d) {
        auto &dlg = static_cast<TPasswordDlg &>(d);
        QTest::keyClicks(dlg.Password, code);
        QTest::keyClick(dlg.Password, Qt::Key_Return);
        return -1;
    };
}
