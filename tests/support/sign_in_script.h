#pragma once

#include "scripted_dialogs.h"

#include "shift/password_dialog.h"
#include "widgets/new_pin_dialog.h"

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

// With secret codes: the code, Enter (on to the PIN), the PIN, Enter.
inline ScriptedDialogs::ModalHandler typeCodeAndPin(const QString &code, const QString &pin)
{
    return [code, pin](QDialog &d) {
        auto &dlg = static_cast<TPasswordDlg &>(d);
        QTest::keyClicks(dlg.Password, code);
        QTest::keyClick(dlg.Password, Qt::Key_Return);
        QTest::keyClicks(dlg.Pin, pin);
        QTest::keyClick(dlg.Pin, Qt::Key_Return);
        return -1;
    };
}

// Answers the new-PIN dialog: the PIN, Enter, the PIN again, Enter.
inline ScriptedDialogs::ModalHandler typeNewPin(const QString &pin, const QString &again)
{
    return [pin, again](QDialog &d) {
        auto &dlg = static_cast<NewPinDialog &>(d);
        QTest::keyClicks(dlg.NewPin, pin);
        QTest::keyClick(dlg.NewPin, Qt::Key_Return);
        QTest::keyClicks(dlg.Confirmation, again);
        QTest::keyClick(dlg.Confirmation, Qt::Key_Return);
        return -1;
    };
}
