#pragma once

#include "reports/rendered_report.h"

#include <QDialog>
#include <memory>

class PageReport;
class PageView;
class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QToolButton;

// The modal preview of a page report: page navigation (also PgUp, PgDn,
// Home, End), zoom, printer set-up, print, save (as a report file that
// Load opens again, or as PDF), load and close. It shows a rendered
// report, so what it prints is exactly what it shows.
class ReportPreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreviewWindow(QWidget *parent = nullptr);
    ~ReportPreviewWindow() override;

    // Lays the report out into a temporary file and shows the preview
    // through the Dialogs seam; returns when the window is closed.
    static void showReport(PageReport &report, QWidget *parent = nullptr);

    void setReport(std::unique_ptr<RenderedReport> report);
    const RenderedReport *report() const { return report_.get(); }
    int currentPage() const { return current_; } // from 0
    const PageView &pageView() const { return *view_; }

    // Zoom choices of the zoom box.
    enum class Fit { None, WholePage, PageWidth };
    qreal zoom() const;

public slots:
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
};
