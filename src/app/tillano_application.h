#pragma once

#include <QApplication>

// The application object with the program's general error handler: an
// error that escapes an operation is shown in a message box with its text
// and the operation stops there; the program goes on.
class TillanoApplication : public QApplication {
public:
    TillanoApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
