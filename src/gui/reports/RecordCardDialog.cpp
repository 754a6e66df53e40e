#include "gui/reports/RecordCardDialog.h"

#include <algorithm>

#include <QApplication>
#include <QDesktopServices>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/doc/CVardoDoc.h"
#include "core/exchange/TabularExports.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "core/reports/CardOptionsPresenter.h"
#include "gui/app/QtText.h"
#include "gui/registry/PersonPickerDialog.h"
#include "gui/reports/CardOptionsDialog.h"
#include "gui/reports/CardPdfExport.h"
#include "gui/reports/ReportPrinting.h"
#include "render/QPainterCanvas.h"
#include "ui_RecordCardDialog.h"

namespace vardo {
namespace {

// The preview draws the page as printed on A4 at this resolution and scales it into the widget.
constexpr int kPreviewDpi = 100;
constexpr int kPdfDpi = 300;

} // namespace

// ---- preview --------------------------------------------------------------------------------------------

CardPreviewWidget::CardPreviewWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("cardPreview"));
    setMinimumSize(420, 540);
    SetCard(nullptr, ReportEnvironment{});
}

void CardPreviewWidget::SetCard(const Report* report, const ReportEnvironment& environment) {
    const QSize size(kPreviewDpi * 827 / 100, kPreviewDpi * 1169 / 100);
    m_page = QImage(size, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(kPreviewDpi / 0.0254 + 0.5);
    m_page.setDotsPerMeterX(dotsPerMeter);
    m_page.setDotsPerMeterY(dotsPerMeter);
    m_page.fill(Qt::white);
    if (report != nullptr) {
        InstallFontSubstitutions();
        QPainter painter(&m_page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QPainterCanvas canvas(painter, Resolution{kPreviewDpi, kPreviewDpi});
        const ReportEnvironment printing = ForPrinting(environment, true);
        const PageRun run(*report, canvas, printing);
        DrawReportPage(*report, canvas, printing, 1);
    }
    update();
}

void CardPreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QSize scaled = m_page.size().scaled(size() - QSize(8, 8), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_page);
    painter.setPen(Qt::gray);
    painter.drawRect(target.adjusted(0, 0, -1, -1));
}

CardHeaderPreviewWidget::CardHeaderPreviewWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("headerPreview"));
    setMinimumSize(420, 90);
    SetHeader(nullptr, nullptr);
}

void CardHeaderPreviewWidget::SetHeader(const CardSource* source, const PublisherRecord* person) {
    // The header band of the printed card: the title above the top line down to the third row of boxes.
    constexpr int dpi = 120;
    m_strip = QImage(QSize(dpi * 8, dpi * 8 / 5), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254 + 0.5);
    m_strip.setDotsPerMeterX(dotsPerMeter);
    m_strip.setDotsPerMeterY(dotsPerMeter);
    m_strip.fill(Qt::white);
    if (source != nullptr && person != nullptr) {
        InstallFontSubstitutions();
        QPainter painter(&m_strip);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QPainterCanvas canvas(painter, Resolution{dpi, dpi});
        DrawCardHeader(*source, canvas, *person, dpi / 4, dpi * 3 / 10, dpi * 29 / 4);
    }
    update();
}

void CardHeaderPreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QSize scaled = m_strip.size().scaled(size() - QSize(8, 8), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_strip);
    painter.setPen(Qt::gray);
    painter.drawRect(target.adjusted(0, 0, -1, -1));
}

// ---- dialog ---------------------------------------------------------------------------------------------

RecordCardDialog::RecordCardDialog(CVardoDoc& doc, Prompter& prompter, const Clock& clock,
                                   std::function<void(PublisherId)> edit, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::RecordCardDialog>()), m_doc(doc), m_prompter(prompter), m_clock(clock),
      m_edit(std::move(edit)), m_presenter(std::make_unique<RecordCardPresenter>(MakeSource())) {
    m_ui->setupUi(this);
    m_preview = new CardPreviewWidget(m_ui->previewFrame);
    auto* frameLayout = new QVBoxLayout(m_ui->previewFrame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(m_preview);
    m_header = new CardHeaderPreviewWidget(m_ui->headerFrame);
    auto* headerLayout = new QVBoxLayout(m_ui->headerFrame);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    headerLayout->addWidget(m_header);
    m_ui->cardModeCombo->addItem(ToQt(Str(StrId::CardModeServiceYear)));
    m_ui->cardModeCombo->addItem(ToQt(Str(StrId::CardModeTwelveMonths)));
    m_presenter->SetHistory(&m_doc.Side().cardTotals);
    m_ui->button3->setEnabled(static_cast<bool>(m_edit) && !m_doc.PastMonthMode());
    // A past month is viewed read-only: its options stay as they are.
    m_ui->button4->setEnabled(!m_doc.PastMonthMode());

    connect(m_ui->list1018, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling || row < 0)
            return;
        m_presenter->Select(row);
        ShowSelection();
    });
    connect(m_ui->check1104, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter->SetPreviousYear(on);
        ShowSelection();
    });
    connect(m_ui->check1105, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter->SetInactive(on);
        Fill();
    });
    connect(m_ui->cardModeCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_presenter->SetCardMode(index + 1);
        ShowSelection();
    });
    connect(m_ui->check1106, &QCheckBox::toggled, this, [this](bool on) {
        m_presenter->SetTotals(on);
        Fill();
    });
    connect(m_ui->radio1110, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        m_presenter->SetTotalsSource(CardTotalsSource::Register);
        ShowSelection();
    });
    connect(m_ui->radio1111, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        m_presenter->SetTotalsSource(CardTotalsSource::Reported);
        ShowSelection();
    });
    connect(m_ui->button222, &QPushButton::clicked, this, [this] {
        m_presenter->StepPart(-1);
        Fill();
    });
    connect(m_ui->button221, &QPushButton::clicked, this, [this] {
        m_presenter->StepPart(1);
        Fill();
    });
    connect(m_ui->button261, &QPushButton::clicked, this, [this] { PrintSelected(); });
    connect(m_ui->button262, &QPushButton::clicked, this, [this] { PrintChosen(); });
    connect(m_ui->button265, &QPushButton::clicked, this, [this] { PrintPart(); });
    connect(m_ui->button263, &QPushButton::clicked, this, [this] { WriteBatchPdf(false); });
    connect(m_ui->button264, &QPushButton::clicked, this, [this] { WriteBatchPdf(true); });
    connect(m_ui->button1012, &QPushButton::clicked, this, [this] { ChooseOutputDevice(); });
    connect(m_ui->button3, &QPushButton::clicked, this, [this] { EditSelected(); });
    connect(m_ui->button4, &QPushButton::clicked, this, [this] { EditOptions(); });
    connect(m_ui->button2, &QPushButton::clicked, this, &QDialog::accept);

    m_choosePrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return dialog.exec() == QDialog::Accepted;
    };
    m_openFolder = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
    Fill();
}

RecordCardDialog::~RecordCardDialog() = default;

void RecordCardDialog::Run(QWidget* parent, CVardoDoc& doc, Prompter& prompter, const Clock& clock,
                           std::function<void(PublisherId)> edit) {
    RecordCardDialog dialog(doc, prompter, clock, std::move(edit), parent);
    dialog.exec();
}

CardSource RecordCardDialog::MakeSource() const {
    CardSource source;
    source.database = &m_doc.Database();
    source.groups = &m_doc.Side().groups;
    source.remarks = &m_doc.Side().remarks;
    source.workingMonth = m_doc.GetWorkingMonth();
    source.workingMonthInitialised =
        m_doc.GetMonthState(m_doc.GetWorkingMonth().monthIndex) != MonthState::NotInitialised;
    source.options = CardOptionsFromSettings(m_doc.GetSettings());
    return source;
}

ReportEnvironment RecordCardDialog::Environment() const {
    ReportEnvironment environment;
    environment.fonts = ReportFonts(m_doc.LanguageTag());
    environment.options = ReportOptionsFromSettings(m_doc.GetSettings());
    environment.screen = Resolution{96, 96};
    environment.today = m_clock.Today();
    environment.languageTag = m_doc.LanguageTag();
    return environment;
}

void RecordCardDialog::Fill() {
    m_filling = true;
    m_ui->list1018->clear();
    for (const CardListEntry& entry : m_presenter->Entries())
        m_ui->list1018->addItem(ToQt(entry.text));
    m_ui->list1018->setCurrentRow(m_presenter->Selected());
    m_filling = false;
    const int part = m_presenter->Part();
    const bool totals = m_presenter->Totals();
    m_ui->partLabel->setText(totals ? ToQt(Str(StrId::SumsLabel)) : ToQt(m_presenter->PartName(part)));
    // The totals view has no list parts to step through.
    m_ui->button222->setText(totals ? QStringLiteral("<")
                                    : QStringLiteral("< ") + ToQt(m_presenter->PartName(part - 1)));
    m_ui->button221->setText(totals ? QStringLiteral(">")
                                    : ToQt(m_presenter->PartName(part + 1)) + QStringLiteral(" >"));
    m_ui->button265->setText(ToQt(FormatArgs(Str(StrId::PrintListButton), {m_presenter->PartName(part)})));
    ShowSelection();
}

void RecordCardDialog::ShowToggles() {
    const bool totals = m_presenter->Totals();
    // The totals view lists categories: the person's commands and the list parts wait until it is off.
    m_ui->button222->setEnabled(!totals);
    m_ui->button221->setEnabled(!totals);
    m_ui->button262->setEnabled(!totals);
    m_ui->check1105->setEnabled(!totals);
    m_ui->radio1110->setEnabled(totals);
    m_ui->radio1111->setEnabled(totals);
}

void RecordCardDialog::ShowSelection() {
    ShowToggles();
    const bool person = m_presenter->PersonSelected();
    const std::unique_ptr<Report> shown = m_presenter->SelectedReport();
    m_ui->button261->setEnabled(shown != nullptr);
    m_ui->button265->setEnabled(!m_presenter->Totals() && !m_presenter->Entries().empty());
    m_ui->button3->setEnabled(person && static_cast<bool>(m_edit) && !m_doc.PastMonthMode());
    m_preview->SetCard(shown.get(), Environment());
    const CardSource source = m_presenter->Source();
    if (const std::optional<RecordNumber> record = m_presenter->SelectedRecord())
        m_header->SetHeader(&source, &m_doc.Database().Record(*record));
    else if (shown != nullptr) {
        const PublisherRecord none{};
        m_header->SetHeader(&source, &none);
    } else
        m_header->SetHeader(nullptr, nullptr);
}

QPrinter& RecordCardDialog::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setFullPage(true);
    }
    return *m_printer;
}

bool RecordCardDialog::PrintRecords(QPrinter& printer, const std::vector<RecordNumber>& records,
                                    const QString& documentName) {
    if (records.empty())
        return false;
    const std::unique_ptr<Report> report = MakeCardsReport(m_presenter->CardsSource(), records);
    return PrintReport(printer, *report, documentName);
}

bool RecordCardDialog::PrintReport(QPrinter& printer, const Report& shown, const QString& documentName) {
    const Report* report = &shown;
    printer.setFullPage(true);
    printer.setDocName(documentName);
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_prompter.Message(Str(StrId::NoPrinter), Severity::Error);
        return false;
    }
    ReportEnvironment printing = ForPrinting(Environment(), PrinterPaperIsA4(printer));
    QPainterCanvas canvas(painter);
    const PageRun run(*report, canvas, printing);
    PrintRange range;
    range.lastPage = std::max(report->CountPages(canvas, printing), 1);
    QProgressDialog progress(ToQt(Str(StrId::CardsPrinting)), ToQt(Str(StrId::CardsCancel)), 0, range.lastPage, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(800);
    bool startsNewPage = false;
    const bool ok = PrintReportPages(printer, painter, *report, printing, range, startsNewPage, [&](int done, int) {
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    if (!ok)
        printer.abort();
    painter.end();
    return ok;
}

bool RecordCardDialog::PrintSelected() {
    const std::unique_ptr<Report> report = m_presenter->SelectedReport();
    if (!report)
        return false;
    // Printed on the default printer without asking; the output device chosen in the dialog replaces it.
    if (!m_printerChosen) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            m_prompter.Message(Str(StrId::NoPrinter), Severity::Warning);
            return false;
        }
        Printer().setPrinterName(info.printerName());
    }
    return PrintReport(Printer(), *report, ToQt(m_presenter->SelectedText()));
}

bool RecordCardDialog::PrintChosen() {
    std::vector<PickerItem> items;
    for (const CardListEntry& entry : m_presenter->Entries())
        items.push_back({m_doc.Database().Record(entry.record).Id(), entry.text});
    const auto chosen = PersonPickerDialog::RunMany(this, std::string(Str(StrId::ChooseCardToPrint)), items);
    if (!chosen || chosen->empty())
        return false;
    std::vector<RecordNumber> records;
    for (const PublisherId id : *chosen)
        for (const CardListEntry& entry : m_presenter->Entries())
            if (m_doc.Database().Record(entry.record).Id() == id)
                records.push_back(entry.record);
    if (!m_choosePrinter(Printer()))
        return false;
    m_printerChosen = true;
    return PrintRecords(Printer(), records, ToQt(Str(StrId::PubRecordsDocument)));
}

bool RecordCardDialog::PrintPart() {
    bool withPioneers = false;
    const std::optional<int> group = m_presenter->PartGroup();
    if (group && *group != 0)
        withPioneers = m_prompter.Ask(Str(StrId::WithPioneers), Buttons::YesNo, Answer::Yes) == Answer::Yes;
    const std::vector<RecordNumber> records = m_presenter->PartRecords(withPioneers);
    if (records.empty()) {
        m_prompter.Message(Str(StrId::CardListEmpty), Severity::Information);
        return false;
    }
    if (!m_choosePrinter(Printer()))
        return false;
    m_printerChosen = true;
    return PrintRecords(Printer(), records, ToQt(m_presenter->PartName(m_presenter->Part())));
}

bool RecordCardDialog::WriteBatchPdf(bool inactive) {
    const std::vector<RecordNumber> records = m_presenter->BatchRecords(inactive);
    if (records.empty()) {
        m_prompter.Message(Str(StrId::CardListEmpty), Severity::Information);
        return false;
    }
    const std::filesystem::path folder = m_doc.Folder().Resolve(std::string(kExportsFolder));
    const std::filesystem::path path = folder / m_presenter->BatchFileName(inactive);
    m_lastPdf = QString::fromStdString(path.string());
    const std::unique_ptr<Report> report = MakeCardsReport(m_presenter->CardsSource(), records);

    QProgressDialog progress(ToQt(Str(StrId::CardsPdfProgress)), ToQt(Str(StrId::CardsCancel)), 0,
                             static_cast<int>(records.size()), this);
    progress.setObjectName(QStringLiteral("cardsPdfProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    PdfRun run;
    run.dpi = kPdfDpi;
    run.title = m_presenter->BatchName(inactive);
    run.progress = [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        progress.setLabelText(
            ToQt(FormatArgs(Str(StrId::CardsPdfPage), {std::to_string(done), std::to_string(total)})));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Result<int> written = WritePdfFile(*report, Environment(), path, run);
    QApplication::restoreOverrideCursor();
    progress.reset();
    if (!written.ok()) {
        m_prompter.Message(written.error(),
                           written.code() == Failure::Cancelled ? Severity::Information : Severity::Error);
        return false;
    }
    const std::string question =
        FormatArgs(Str(StrId::CardsPdfWritten), {std::to_string(written.value()), path.string()});
    if (m_prompter.Ask(question, Buttons::YesNo, Answer::No) == Answer::Yes)
        m_openFolder(QString::fromStdString(folder.string()));
    return true;
}

void RecordCardDialog::ChooseOutputDevice() {
    if (m_choosePrinter(Printer()))
        m_printerChosen = true;
}

void RecordCardDialog::EditSelected() {
    const std::optional<RecordNumber> record = m_presenter->SelectedRecord();
    if (!record || !m_edit)
        return;
    const PublisherId id = m_doc.Database().Record(*record).Id();
    m_edit(id);
    // The edit may rename, move or remove the person: the list is read again, the toggles kept.
    RebuildPresenter();
    for (int row = 0; row < static_cast<int>(m_presenter->Entries().size()); ++row)
        if (m_doc.Database().Record(m_presenter->Entries()[static_cast<std::size_t>(row)].record).Id() == id)
            m_presenter->Select(row);
    Fill();
}

void RecordCardDialog::RebuildPresenter() {
    const bool inactive = m_presenter->Inactive();
    const bool previous = m_presenter->PreviousYear();
    const int mode = m_presenter->CardMode();
    const CardTotalsSource totalsSource = m_presenter->TotalsSource();
    const int part = m_presenter->Part();
    m_presenter = std::make_unique<RecordCardPresenter>(MakeSource());
    m_presenter->SetHistory(&m_doc.Side().cardTotals);
    m_presenter->SetInactive(inactive);
    m_presenter->SetPreviousYear(previous);
    m_presenter->SetCardMode(mode);
    m_presenter->SetTotalsSource(totalsSource);
    m_presenter->ShowPart(part);
}

void RecordCardDialog::EditOptions() {
    const std::optional<CardOptionsPresenter> edited =
        CardOptionsDialog::Run(this, CardOptionsFromSettings(m_doc.GetSettings()));
    if (!edited)
        return;
    DocumentChange change(m_doc.Changes(), "Opcje zestawienia sprawozdań");
    change.Touch(DataArea::Settings);
    if (!edited->Store(m_doc.GetSettings()))
        return;
    change.Commit();
    m_presenter->SetOptions(CardOptionsFromSettings(m_doc.GetSettings()));
    ShowSelection();
}

} // namespace vardo
