#pragma once

#include <QProgressDialog>

// The modal "Printing progress" window, shown while pages are sent. It has
// no cancel button: a print runs to its end once started.
class PrintingProgressWindow : public QProgressDialog {
    Q_OBJECT
public:
    explicit PrintingProgressWindow(const QString &documentName, QWidget *parent = nullptr);
    // Shows that another page went out and repaints at once.
    void pageSent(int pageNumber);
};
