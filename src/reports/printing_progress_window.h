#pragma once

#include "reports/laid_out_page.h"

#include <QElapsedTimer>
#include <QProgressDialog>

// The modal "Printing progress" window, shown while a report is laid out
// and its pages are sent. Cancel ends the print: nothing of it is kept.
class PrintingProgressWindow : public QProgressDialog {
    Q_OBJECT
public:
    explicit PrintingProgressWindow(const QString &documentName, QWidget *parent = nullptr);
    // Follow the run: the pages sent, the records laid out. The window
    // shows them and answers the user every few moments.
    void pageSent(int pageNumber);
    void recordDone(int done, int total);

    // Passes the pages of a run on to `out` while the window follows it;
    // throws ReportStopped once Cancel was pressed.
    class Sink : public PageSink {
    public:
        Sink(PrintingProgressWindow &window, PageSink &out) : window_(window), out_(out) {}
        void addPage(const LaidOutPage &page) override;
        void recordDone(int done, int total) override;

    private:
        PrintingProgressWindow &window_;
        PageSink &out_;
    };

private:
    void answerNowAndThen();
    QElapsedTimer sinceEvents_;
    int pagesSent_ = 0;
    int recordsDone_ = 0;
    int recordsTotal_ = 0;
};
