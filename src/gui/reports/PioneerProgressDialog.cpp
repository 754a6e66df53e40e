#include "gui/reports/PioneerProgressDialog.h"

#include <algorithm>
#include <cmath>

#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "core/reports/ReportOptions.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CommandIds.h"
#include "gui/app/QtText.h"
#include "gui/reports/CVardoView.h"
#include "gui/reports/ReportPrinting.h"
#include "render/QPainterCanvas.h"
#include "ui_PioneerProgressDialog.h"

namespace vardo {
namespace {

// The view as the window's chart shows it: the three lines stand in the window's own labels.
PioneerProgressView ChartView(const PioneerProgressView& view) {
    PioneerProgressView chart = view;
    chart.lines = {};
    return chart;
}

} // namespace

PioneerProgressChart::PioneerProgressChart(const PioneerProgressPresenter& presenter, ReportEnvironment environment,
                                           QWidget* parent)
    : QWidget(parent), m_presenter(presenter), m_environment(std::move(environment)) {
    setAutoFillBackground(false);
    Refresh();
}

void PioneerProgressChart::Refresh() {
    const Resolution screen = m_environment.screen;
    QImage image(8, 8, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(screen.x / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(screen.y / 0.0254)));
    QPainter painter(&image);
    QPainterCanvas canvas(painter, screen);
    const int height = PioneerProgressHeight(canvas, m_environment, ChartView(m_presenter.View()));
    painter.end();
    setFixedSize(screen.x * 8, std::max(height, screen.y * 3));
    update();
}

void PioneerProgressChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QPainterCanvas canvas(painter, m_environment.screen);
    DrawPioneerProgress(canvas, m_environment, ChartView(m_presenter.View()), true);
}

PioneerProgressDialog::PioneerProgressDialog(const CVardoDoc& doc, ReportEnvironment screen, Prompter& prompter,
                                             QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PioneerProgressDialog>()), m_environment(std::move(screen)),
      m_prompter(prompter) {
    m_ui->setupUi(this);
    m_presenter = std::make_unique<PioneerProgressPresenter>(doc.Database(), doc.GetWorkingMonth(),
                                                             m_environment.options.surnameFirst);
    m_ui->pioneerLabel->setText(ToQt(Str(StrId::PioneerChoosePrompt)));
    m_ui->previousYearCheck->setText(ToQt(Str(StrId::PreviousServiceYearToggle)));
    m_ui->printButton->setText(ToQt(Str(StrId::PioneerProgressPrint)));
    m_ui->closeButton->setText(ToQt(Str(StrId::Close)));
    for (const std::string& name : m_presenter->PioneerNames())
        m_ui->pioneerCombo->addItem(ToQt(name));
    m_chart = new PioneerProgressChart(*m_presenter, m_environment);
    m_ui->chartScroll->setWidget(m_chart);
    m_ui->chartScroll->setBackgroundRole(QPalette::Base);

    connect(m_ui->pioneerCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_presenter->Choose(index);
        ShowView();
    });
    connect(m_ui->previousYearCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter->SetPreviousYear(on);
        ShowView();
    });
    connect(m_ui->printButton, &QPushButton::clicked, this, [this] { Print(); });
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::accept);
    m_presenter->Choose(m_ui->pioneerCombo->currentIndex());
    ShowView();
}

PioneerProgressDialog::~PioneerProgressDialog() = default;

void PioneerProgressDialog::ShowView() {
    const PioneerProgressView& view = m_presenter->View();
    setWindowTitle(ToQt(view.caption));
    m_ui->line1Label->setText(ToQt(view.lines[0]));
    m_ui->line2Label->setText(ToQt(view.lines[1]));
    m_ui->line3Label->setText(ToQt(view.lines[2]));
    m_ui->printButton->setEnabled(m_presenter->HasPioneers());
    m_chart->Refresh();
}

bool PioneerProgressDialog::PrintTo(QPrinter& printer) {
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_prompter.Message("Could not start print job.", Severity::Error);
        return false;
    }
    const ReportEnvironment printing = ForPrinting(m_environment, PrinterPaperIsA4(printer));
    const auto report = MakePioneerProgressReport(m_presenter->View());
    QPainterCanvas canvas(painter);
    PrintRange range;
    range.lastPage = std::max(report->CountPages(canvas, printing), 1);
    bool startsNewPage = false;
    const bool ok = PrintReportPages(printer, painter, *report, printing, range, startsNewPage);
    if (!ok)
        printer.abort();
    painter.end();
    return ok;
}

void PioneerProgressDialog::Print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(printer);
}

void PioneerProgressDialog::Run(QWidget* parent, const CVardoDoc& doc, const ReportEnvironment& screen,
                                Prompter& prompter) {
    if (RegularPioneersOf(doc.Database(), doc.GetWorkingMonth()).empty()) {
        prompter.Message(Str(StrId::NoRegularPioneers), Severity::Information);
        return;
    }
    PioneerProgressDialog dialog(doc, screen, prompter, parent);
    dialog.exec();
}

ReportEnvironment DocumentScreenEnvironment(const CVardoDoc& doc, const Clock& clock, Resolution screen) {
    ReportEnvironment environment;
    environment.fonts = ReportFonts(doc.LanguageTag());
    environment.fonts.LoadAll(doc.SettingsFile(), true);
    environment.options = ReportOptionsFromSettings(doc.GetSettings());
    environment.screen = screen;
    environment.today = clock.Today();
    environment.languageTag = doc.LanguageTag();
    return environment;
}

void RegisterPioneerProgressCommand(CMainFrame& frame, CVardoDoc& doc, Prompter& prompter, const Clock& clock) {
    CMainFrame* window = &frame;
    const CVardoDoc* document = &doc;
    Prompter* asker = &prompter;
    const Clock* today = &clock;
    frame.RegisterDocumentCommand(cmd::kPioneerHours, [=] {
        // The report view's fonts and options as they stand (they may be edited but not yet saved).
        const CVardoView* view = window->findChild<CVardoView*>();
        const ReportEnvironment screen =
            view != nullptr ? view->ScreenEnvironment()
                            : DocumentScreenEnvironment(*document, *today,
                                                        Resolution{window->logicalDpiX(), window->logicalDpiY()});
        PioneerProgressDialog::Run(window, *document, screen, *asker);
    });
    frame.UpdateCommands();
}

} // namespace vardo
