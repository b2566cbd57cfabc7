#pragma once

#include "reports/rendered_report.h"
#include "reports/report_printing.h"

#include <QDialog>
#include <exception>
#include <memory>

class PageReport;
class PageView;
class QComboBox;
class QLabel;
class QPrinter;
class QProgressBar;
class QScrollArea;
class QToolButton;

// The modal preview of a page report: page navigation (also PgUp, PgDn,
// Home, End), zoom, printer set-up, print, save (as a report file that
// Load opens again, or as PDF), load and close. It shows a rendered
// report, so what it prints is exactly what it shows.
//
// A report is laid out while the window is open: the first page shows as
// soon as it is ready, a progress bar follows the run, and Stop (or
// closing the window) ends it, keeping the pages laid out so far. Print,
// Save and Load wait until the run has ended.
class ReportPreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreviewWindow(QWidget *parent = nullptr);
    ~ReportPreviewWindow() override;

    // Shows the preview through the Dialogs seam while the report is laid
    // out into a temporary file; returns when the window is closed. An
    // error of the run closes the window and is thrown from here.
    static void showReport(PageReport &report, QWidget *parent = nullptr);

    // Lays the report out once the window is shown (at once when it is).
    void startLayout(PageReport &report);
    bool layingOut() const { return layingOut_; }
    // The run ended by Stop or by closing the window.
    bool layoutStopped() const { return stopped_; }

    void setReport(std::unique_ptr<RenderedReport> report);
    const RenderedReport *report() const { return report_.get(); }
    int currentPage() const { return current_; } // from 0
    const PageView &pageView() const { return *view_; }

    // Zoom choices of the zoom box.
    enum class Fit { None, WholePage, PageWidth };
    qreal zoom() const;

signals:
    // A page of the run in progress was added (and shown, when it is the first).
    void pageLaidOut(int pageCount);

public slots:
    void stopLayout();
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();
    void printerSetup();
    void printReport();
    void saveReport();
    void loadReport();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    class LayoutFeed;
    void runLayout();
    void addLaidOutPage(const LaidOutPage &page);
    void showProgress(int done, int total);
    // The pages shown, for printing and saving as PDF.
    PageProducer shownPages() const;

    QToolButton *addButton(const QString &name, const QString &text, void (ReportPreviewWindow::*slot)());
    void showPage(int index);
    void applyZoom(qreal zoom, Fit fit);
    void zoomBoxChosen(int index);
    void refit();
    void updateControls();
    void reportFailure(const std::exception &error);

    std::unique_ptr<RenderedReport> report_;
    std::unique_ptr<QPrinter> printer_;
    bool printerChosen_ = false;
    int current_ = 0;
    Fit fit_ = Fit::PageWidth;
    PageView *view_;
    QScrollArea *scroll_;
    QComboBox *zoomBox_;
    QLabel *pageLabel_;
    QToolButton *first_, *prior_, *next_, *last_;
    QToolButton *print_, *save_, *load_, *stop_;
    QProgressBar *progress_;

    PageReport *pending_ = nullptr; // laid out when the window shows
    bool layingOut_ = false;
    bool stopped_ = false;
    std::exception_ptr layoutError_;
};
