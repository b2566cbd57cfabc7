#include "report_preview_window.h"

#include "common/language.h"
#include "reports/page_report.h"
#include "reports/page_view.h"
#include "reports/report_printing.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QSaveFile>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryFile>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QList<int> ZoomSteps{25, 50, 75, 100, 125, 150, 200, 300, 400};
constexpr int FitEntries = 2; // "Whole page" and "Page width" come first in the zoom box
// How often a run lets the window answer the user.
constexpr int EventsEveryMs = 50;

ReportOutputError previewNotWritten()
{
    return ReportOutputError(chooseText(QStringLiteral("The preview could not be written (is the disk full?)."),
                                        QStringLiteral("L'aperçu n'a pas pu être écrit (disque plein ?).")));
}

QString reportFileFilter()
{
    return chooseText(QStringLiteral("Saved reports (*.tqr);;PDF files (*.pdf)"),
                      QStringLiteral("Rapports enregistrés (*.tqr);;Fichiers PDF (*.pdf)"));
}

}

// Takes the pages of a run into the window as they come and keeps the
// window answering meanwhile: the first page at once, then every few
// moments. Ends the run once the user stopped it or closed the window.
class ReportPreviewWindow::LayoutFeed : public PageSink {
public:
    explicit LayoutFeed(ReportPreviewWindow &window) : window_(window) { sinceEvents_.start(); }

    void addPage(const LaidOutPage &page) override
    {
        window_.addLaidOutPage(page);
        if (page.number == 1)
            letWindowAnswer();
        endIfStopped();
    }

    void recordDone(int done, int total) override
    {
        if (sinceEvents_.elapsed() >= EventsEveryMs) {
            window_.showProgress(done, total);
            letWindowAnswer();
        }
        endIfStopped();
    }

private:
    void letWindowAnswer()
    {
        QApplication::processEvents();
        sinceEvents_.restart();
    }

    void endIfStopped() const
    {
        if (window_.stopped_ || !window_.isVisible())
            throw ReportStopped();
    }

    ReportPreviewWindow &window_;
    QElapsedTimer sinceEvents_;
};

ReportPreviewWindow::ReportPreviewWindow(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(chooseText(QStringLiteral("Preview"), QStringLiteral("Aperçu")));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    auto *tools = new QHBoxLayout;
    tools->setSpacing(2);
    const auto add = [&](const QString &name, const QString &en, const QString &fr, QStyle::StandardPixmap icon,
                         void (ReportPreviewWindow::*slot)()) {
        QToolButton *button = addButton(name, chooseText(en, fr), slot);
        if (icon != QStyle::SP_CustomBase)
            button->setIcon(style()->standardIcon(icon));
        tools->addWidget(button);
        return button;
    };
    first_ = add("firstButton", "First", "Première", QStyle::SP_MediaSkipBackward, &ReportPreviewWindow::firstPage);
    prior_ = add("priorButton", "Previous", "Précédente", QStyle::SP_MediaSeekBackward, &ReportPreviewWindow::priorPage);
    next_ = add("nextButton", "Next", "Suivante", QStyle::SP_MediaSeekForward, &ReportPreviewWindow::nextPage);
    last_ = add("lastButton", "Last", "Dernière", QStyle::SP_MediaSkipForward, &ReportPreviewWindow::lastPage);
    // Their icons say enough (the text is the tool tip), so the bar fits a
    // small screen in both languages.
    for (QToolButton *button : {first_, prior_, next_, last_})
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    pageLabel_->setMinimumWidth(110);
    pageLabel_->setAlignment(Qt::AlignCenter);
    tools->addWidget(pageLabel_);

    add("zoomOutButton", "Zoom out", "Réduire", QStyle::SP_CustomBase, &ReportPreviewWindow::zoomOut);
    zoomBox_ = new QComboBox(this);
    zoomBox_->setObjectName(QStringLiteral("zoomBox"));
    zoomBox_->setFocusPolicy(Qt::NoFocus);
    zoomBox_->addItem(chooseText(QStringLiteral("Whole page"), QStringLiteral("Page entière")));
    zoomBox_->addItem(chooseText(QStringLiteral("Page width"), QStringLiteral("Largeur de page")));
    for (int step : ZoomSteps)
        zoomBox_->addItem(QStringLiteral("%1%").arg(step));
    zoomBox_->setCurrentIndex(1);
    connect(zoomBox_, &QComboBox::activated, this, &ReportPreviewWindow::zoomBoxChosen);
    tools->addWidget(zoomBox_);
    add("zoomInButton", "Zoom in", "Agrandir", QStyle::SP_CustomBase, &ReportPreviewWindow::zoomIn);
    tools->addStretch();
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("layoutProgress"));
    progress_->setFormat(chooseText(QStringLiteral("Laying out %p%"), QStringLiteral("Mise en page %p%")));
    progress_->setMinimumWidth(140);
    progress_->setMaximumWidth(180);
    progress_->hide();
    tools->addWidget(progress_);
    stop_ = add("stopButton", "Stop", "Arrêter", QStyle::SP_BrowserStop, &ReportPreviewWindow::stopLayout);
    stop_->hide();
    add("setupButton", "Printer set-up", "Configuration", QStyle::SP_FileDialogDetailedView, &ReportPreviewWindow::printerSetup);
    print_ = add("printButton", "Print", "Imprimer", QStyle::SP_DialogApplyButton, &ReportPreviewWindow::printReport);
    save_ = add("saveButton", "Save", "Enregistrer", QStyle::SP_DialogSaveButton, &ReportPreviewWindow::saveReport);
    load_ = add("loadButton", "Load", "Ouvrir", QStyle::SP_DialogOpenButton, &ReportPreviewWindow::loadReport);
    add("closeButton", "Close", "Fermer", QStyle::SP_DialogCloseButton, &ReportPreviewWindow::reject);

    view_ = new PageView;
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("pageArea"));
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setWidget(view_);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(scroll_, 1);
    const QSize room = screen()->availableGeometry().size() - QSize(40, 60); // the frame
    resize(QSize(920, 980).boundedTo(room));
    updateControls();
}

ReportPreviewWindow::~ReportPreviewWindow() = default;

QToolButton *ReportPreviewWindow::addButton(const QString &name, const QString &text, void (ReportPreviewWindow::*slot)())
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, slot);
    return button;
}

void ReportPreviewWindow::showReport(PageReport &report, QWidget *parent)
{
    ReportPreviewWindow window(parent);
    window.startLayout(report);
    dialogs().exec(window);
    if (window.layoutError_)
        std::rethrow_exception(window.layoutError_);
}

void ReportPreviewWindow::startLayout(PageReport &report)
{
    auto file = std::make_unique<QTemporaryFile>();
    if (!file->open())
        throw ReportOutputError(chooseText(QStringLiteral("No temporary file for the preview: %1"),
                                           QStringLiteral("Pas de fichier temporaire pour l'aperçu : %1"))
                                    .arg(file->errorString()));
    auto rendered = RenderedReport::create(std::move(file), report.documentName());
    if (!rendered)
        throw previewNotWritten();
    setReport(std::move(rendered));
    pending_ = &report;
    layingOut_ = true;
    progress_->setRange(0, 0);
    progress_->show();
    stop_->show();
    updateControls();
    if (isVisible())
        QMetaObject::invokeMethod(this, &ReportPreviewWindow::runLayout, Qt::QueuedConnection);
}

void ReportPreviewWindow::runLayout()
{
    PageReport *report = std::exchange(pending_, nullptr);
    if (!report)
        return;
    try {
        LayoutFeed feed(*this);
        report->layout(feed);
    } catch (const ReportStopped &) {
        stopped_ = true;
    } catch (...) {
        layoutError_ = std::current_exception();
    }
    layingOut_ = false;
    progress_->hide();
    stop_->hide();
    updateControls();
    if (layoutError_)
        reject();
}

void ReportPreviewWindow::addLaidOutPage(const LaidOutPage &page)
{
    if (!report_->addPage(page))
        throw previewNotWritten();
    if (report_->pageCount() == 1)
        showPage(0);
    else
        updateControls();
    emit pageLaidOut(report_->pageCount());
}

void ReportPreviewWindow::showProgress(int done, int total)
{
    progress_->setRange(0, qMax(total, 1));
    progress_->setValue(qMin(done, qMax(total, 1)));
}

void ReportPreviewWindow::stopLayout()
{
    if (layingOut_)
        stopped_ = true;
}

void ReportPreviewWindow::setReport(std::unique_ptr<RenderedReport> report)
{
    report_ = std::move(report);
    stopped_ = false;
    const QString name = report_ ? report_->documentName() : QString();
    setWindowTitle(chooseText(QStringLiteral("Preview"), QStringLiteral("Aperçu"))
                   + (name.isEmpty() ? QString() : QStringLiteral(" - ") + name));
    showPage(0);
}

void ReportPreviewWindow::showPage(int index)
{
    const int count = report_ ? report_->pageCount() : 0;
    current_ = qBound(0, index, qMax(0, count - 1));
    view_->setPage(count > 0 ? report_->page(current_) : LaidOutPage());
    scroll_->verticalScrollBar()->setValue(0);
    updateControls();
}

void ReportPreviewWindow::updateControls()
{
    const int count = report_ ? report_->pageCount() : 0;
    QString text = chooseText(QStringLiteral("Page %1 of %2"), QStringLiteral("Page %1 de %2"))
                       .arg(count ? current_ + 1 : 0)
                       .arg(count);
    if (stopped_)
        text += chooseText(QStringLiteral(" (stopped)"), QStringLiteral(" (arrêté)"));
    pageLabel_->setText(text);
    first_->setEnabled(current_ > 0);
    prior_->setEnabled(current_ > 0);
    next_->setEnabled(current_ + 1 < count);
    last_->setEnabled(current_ + 1 < count);
    for (QToolButton *button : {print_, save_, load_})
        button->setEnabled(!layingOut_);
}

void ReportPreviewWindow::firstPage() { showPage(0); }
void ReportPreviewWindow::priorPage() { showPage(current_ - 1); }
void ReportPreviewWindow::nextPage() { showPage(current_ + 1); }
void ReportPreviewWindow::lastPage() { showPage(report_ ? report_->pageCount() - 1 : 0); }

qreal ReportPreviewWindow::zoom() const
{
    return view_->zoom();
}

void ReportPreviewWindow::applyZoom(qreal zoom, Fit fit)
{
    fit_ = fit;
    view_->setZoom(qBound(0.1, zoom, 4.0));
    if (fit == Fit::WholePage)
        zoomBox_->setCurrentIndex(0);
    else if (fit == Fit::PageWidth)
        zoomBox_->setCurrentIndex(1);
    else if (const int step = ZoomSteps.indexOf(qRound(zoom * 100)); step >= 0)
        zoomBox_->setCurrentIndex(FitEntries + step);
}

void ReportPreviewWindow::refit()
{
    if (fit_ == Fit::None)
        return;
    // Room in the scroll area, less the page view's border and a scroll bar.
    const QSize room = scroll_->viewport()->size() - QSize(24 + scroll_->verticalScrollBar()->sizeHint().width(), 24);
    const qreal perPoint = view_->pixelsPerPoint();
    const qreal width = room.width() / (PageGeometry::PaperWidth * perPoint);
    const qreal height = room.height() / (PageGeometry::PaperHeight * perPoint);
    applyZoom(fit_ == Fit::WholePage ? qMin(width, height) : width, fit_);
}

void ReportPreviewWindow::zoomBoxChosen(int index)
{
    if (index < FitEntries) {
        fit_ = index == 0 ? Fit::WholePage : Fit::PageWidth;
        refit();
    } else {
        applyZoom(ZoomSteps.value(index - FitEntries, 100) / 100.0, Fit::None);
    }
}

void ReportPreviewWindow::zoomIn()
{
    const int percent = qRound(zoom() * 100);
    for (int step : ZoomSteps)
        if (step > percent)
            return applyZoom(step / 100.0, Fit::None);
}

void ReportPreviewWindow::zoomOut()
{
    const int percent = qRound(zoom() * 100);
    for (auto it = ZoomSteps.crbegin(); it != ZoomSteps.crend(); ++it)
        if (*it < percent)
            return applyZoom(*it / 100.0, Fit::None);
}

void ReportPreviewWindow::printerSetup()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageSize(QPageSize(QPageSize::Letter));
    }
    QPrintDialog dialog(printer_.get(), this);
    if (dialogs().exec(dialog) == QDialog::Accepted)
        printerChosen_ = true;
}

PageProducer ReportPreviewWindow::shownPages() const
{
    return [this](PageSink &sink) {
        const int count = report_->pageCount();
        for (int i = 0; i < count; ++i) {
            sink.addPage(report_->page(i));
            sink.recordDone(i + 1, count);
        }
    };
}

void ReportPreviewWindow::printReport()
{
    if (!report_ || layingOut_)
        return;
    try {
        printDocument(report_->documentName(), shownPages(), printerChosen_ ? printer_.get() : nullptr);
    } catch (const std::exception &e) {
        reportFailure(e);
    }
}

void ReportPreviewWindow::saveReport()
{
    if (!report_ || layingOut_)
        return;
    QString path = dialogs().saveFileName(this, chooseText(QStringLiteral("Save report"), QStringLiteral("Enregistrer le rapport")),
                                          reportFileFilter());
    if (path.isEmpty())
        return;
    try {
        if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
            writePdf(path, report_->documentName(), shownPages());
            return;
        }
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".tqr");
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !report_->copyTo(file) || !file.commit())
            throw ReportOutputError(chooseText(QStringLiteral("The file %1 cannot be written: %2"),
                                               QStringLiteral("Le fichier %1 ne peut pas être écrit : %2"))
                                        .arg(path, file.errorString()));
    } catch (const std::exception &e) {
        reportFailure(e);
    }
}

void ReportPreviewWindow::loadReport()
{
    if (layingOut_)
        return;
    const QString path = dialogs().openFileName(this, chooseText(QStringLiteral("Load report"), QStringLiteral("Ouvrir un rapport")));
    if (path.isEmpty())
        return;
    auto loaded = RenderedReport::openFile(path);
    if (!loaded) {
        dialogs().message(this, chooseText(QStringLiteral("The file %1 is not a saved report."),
                                           QStringLiteral("Le fichier %1 n'est pas un rapport enregistré."))
                                    .arg(path));
        return;
    }
    setReport(std::move(loaded));
}

void ReportPreviewWindow::reportFailure(const std::exception &error)
{
    dialogs().message(this, QString::fromStdString(error.what()));
}

void ReportPreviewWindow::keyPressEvent(QKeyEvent *event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    QScrollBar *bar = scroll_->verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageDown: nextPage(); break;
    case Qt::Key_PageUp: priorPage(); break;
    case Qt::Key_Home: firstPage(); break;
    case Qt::Key_End: lastPage(); break;
    case Qt::Key_Down: bar->setValue(bar->value() + bar->singleStep() * 3); break;
    case Qt::Key_Up: bar->setValue(bar->value() - bar->singleStep() * 3); break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: zoomIn(); break;
    case Qt::Key_Minus: zoomOut(); break;
    case Qt::Key_P: control ? printReport() : QDialog::keyPressEvent(event); break;
    case Qt::Key_S: control ? saveReport() : QDialog::keyPressEvent(event); break;
    case Qt::Key_O: control ? loadReport() : QDialog::keyPressEvent(event); break;
    default: QDialog::keyPressEvent(event);
    }
}

void ReportPreviewWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    refit();
}

void ReportPreviewWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    refit();
    // The run starts from the window's event loop, so the window is up
    // and answering while it goes on.
    if (pending_)
        QMetaObject::invokeMethod(this, &ReportPreviewWindow::runLayout, Qt::QueuedConnection);
}
