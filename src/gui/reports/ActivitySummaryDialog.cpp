#include "gui/reports/ActivitySummaryDialog.h"

#include <cmath>
#include <functional>

#include <QFileDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "gui/reports/ReportPrinting.h"
#include "render/QPainterCanvas.h"
#include "render/ReportOutput.h"
#include "ui_ActivitySummaryDialog.h"

namespace vardo {
namespace {

// The dialog's own font as a report font in screen pixels.
LogicalFont DialogFont(const QWidget& widget) {
    const QFont qfont = widget.font();
    LogicalFont font;
    font.face = qfont.family().toStdString();
    const double points = qfont.pointSizeF() > 0 ? qfont.pointSizeF() : 9.0;
    font.height = qfont.pointSizeF() > 0 ? -static_cast<int>(std::lround(points * widget.logicalDpiY() / 72.0))
                                         : -qfont.pixelSize();
    font.weight = qfont.bold() ? 700 : 400;
    font.pitchAndFamily = 0x22;
    font.charSet = 238;
    return font;
}

// A white area the report code draws on with the dialog's font.
class FigureView : public QWidget {
public:
    using DrawFunction = std::function<void(Canvas&, const Rect&, const LogicalFont&)>;
    FigureView(DrawFunction draw, QWidget* parent) : QWidget(parent), m_draw(std::move(draw)) {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        QPainterCanvas canvas(painter, Resolution{logicalDpiX(), logicalDpiY()});
        const int margin = 6;
        m_draw(canvas, Rect{margin, margin, width() - margin, height() - margin}, DialogFont(*this));
    }

private:
    DrawFunction m_draw;
};

QWidget* Host(QWidget* host, QWidget* view) {
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    return view;
}

} // namespace

ActivitySummaryDialog::ActivitySummaryDialog(const ActivityData& activity, const ReportEnvironment& environment,
                                             Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ActivitySummaryDialog>()), m_presenter(activity),
      m_environment(environment), m_prompter(prompter) {
    m_ui->setupUi(this);
    Ui::ActivitySummaryDialog& ui = *m_ui;
    setWindowTitle(ToQt(ActivitySummaryPresenter::Caption()));
    ui.sourceBox->setTitle(ToQt(Str(StrId::ActivitySourceBox)));
    ui.registerRadio->setText(ToQt(Str(StrId::ActivityFromRegister)));
    ui.branchRadio->setText(ToQt(Str(StrId::ActivityFromBranch)));
    ui.categoryLabel->setText(ToQt(Str(StrId::ActivityCategoryLabel)));
    ui.measureLabel->setText(ToQt(Str(StrId::ActivityChartLabel)));
    ui.pdfButton->setText(ToQt(Str(StrId::ActivitySavePdfButton)));
    ui.printButton->setText(ToQt(Str(StrId::ActivityPrintButton)));
    ui.closeButton->setText(ToQt(Str(StrId::ActivityCloseButton)));
    for (const std::string& name : ActivitySummaryPresenter::CategoryNames())
        ui.categoryCombo->addItem(ToQt(name));
    for (const ActivityMeasure measure :
         {ActivityMeasure::Participated, ActivityMeasure::Studies, ActivityMeasure::Hours})
        ui.measureCombo->addItem(ToQt(ActivityMeasureName(measure)));

    m_table = Host(ui.tableHost, new FigureView(
                                     [this](Canvas& canvas, const Rect& area, const LogicalFont& font) {
                                         ActivityTableStyle style;
                                         style.font = font;
                                         DrawActivityTable(canvas, area, m_presenter.Table(), style);
                                     },
                                     ui.tableHost));
    m_chart = Host(ui.chartHost, new FigureView(
                                     [this](Canvas& canvas, const Rect& area, const LogicalFont& font) {
                                         DrawActivityChart(canvas, area, m_presenter.Table(),
                                                           m_presenter.Choice().measure, font);
                                     },
                                     ui.chartHost));
    Connect();
    Show();
}

ActivitySummaryDialog::~ActivitySummaryDialog() = default;

void ActivitySummaryDialog::Run(QWidget* parent, const ActivityData& activity, const ReportEnvironment& environment,
                                Prompter& prompter) {
    ActivitySummaryDialog dialog(activity, environment, prompter, parent);
    dialog.exec();
}

void ActivitySummaryDialog::Connect() {
    Ui::ActivitySummaryDialog& ui = *m_ui;
    connect(ui.registerRadio, &QRadioButton::toggled, this, [this](bool on) {
        m_presenter.SetSource(on ? ActivitySource::Register : ActivitySource::Branch);
        Show();
    });
    connect(ui.categoryCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_presenter.SetCategory(index);
        Show();
    });
    connect(ui.measureCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index <= 2)
            m_presenter.SetMeasure(static_cast<ActivityMeasure>(index));
        Show();
    });
    connect(ui.periodButton, &QPushButton::clicked, this, [this] {
        m_presenter.NextPeriod();
        Show();
    });
    connect(ui.printButton, &QPushButton::clicked, this, [this] { Print(); });
    connect(ui.pdfButton, &QPushButton::clicked, this, [this] { AskPdfPath(); });
    connect(ui.closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void ActivitySummaryDialog::Show() {
    Ui::ActivitySummaryDialog& ui = *m_ui;
    const ActivityChoice& choice = m_presenter.Choice();
    {
        const QSignalBlocker blockRegister(ui.registerRadio);
        const QSignalBlocker blockBranch(ui.branchRadio);
        ui.registerRadio->setChecked(choice.source == ActivitySource::Register);
        ui.branchRadio->setChecked(choice.source == ActivitySource::Branch);
    }
    {
        const QSignalBlocker block(ui.categoryCombo);
        ui.categoryCombo->setCurrentIndex(static_cast<int>(choice.category));
    }
    {
        const QSignalBlocker block(ui.measureCombo);
        ui.measureCombo->setCurrentIndex(static_cast<int>(choice.measure));
    }
    ui.periodButton->setText(ToQt(m_presenter.PeriodButtonText()));
    m_table->update();
    m_chart->update();
}

void ActivitySummaryDialog::Print() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        m_prompter.Message(Str(StrId::NoPrinter), Severity::Warning);
        return;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    if (PrintOn(printer))
        m_prompter.Message(Str(StrId::ActivityPrinted), Severity::Information);
}

bool ActivitySummaryDialog::PrintOn(QPrinter& printer) {
    printer.setDocName(windowTitle());
    const auto report = MakeActivityReport(m_presenter.Data(), m_presenter.Choice());
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        bool startsNewPage = false;
        printed = PrintReportPages(printer, painter, *report, ForPrinting(m_environment, PrinterPaperIsA4(printer)),
                                   PrintRange{1, 1, 1}, startsNewPage);
        printed = painter.end() && printed;
    }
    if (!printed)
        m_prompter.Message(Str(StrId::ActivityPrintFailed), Severity::Error);
    return printed;
}

bool ActivitySummaryDialog::SaveAsPdf(const std::string& path) {
    const auto report = MakeActivityReport(m_presenter.Data(), m_presenter.Choice());
    OutputOptions options;
    options.title = ActivitySummaryPresenter::Caption();
    const Result<int> written = RenderReportToPdf(*report, m_environment, path, options);
    if (!written.ok()) {
        m_prompter.Message(FormatArgs(Str(StrId::ActivityPdfFailed), {written.error()}), Severity::Error);
        return false;
    }
    m_prompter.Message(FormatArgs(Str(StrId::ActivitySavedPdf), {path}), Severity::Information);
    return true;
}

void ActivitySummaryDialog::AskPdfPath() {
    const QString path = QFileDialog::getSaveFileName(this, ToQt(Str(StrId::ActivitySavePdfTitle)),
                                                      ToQt(ActivitySummaryPresenter::Caption() + ".pdf"),
                                                      ToQt(Str(StrId::ActivityPdfFilter)));
    if (path.isEmpty())
        return;
    QString file = path;
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    (void)SaveAsPdf(file.toStdString());
}

} // namespace vardo
