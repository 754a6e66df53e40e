#include "gui/reports/CVardoView.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScrollBar>

#include "core/doc/CVardoDoc.h"
#include "core/doc/StatisticsSources.h"
#include "core/doc/StatusSource.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "core/reports/HoursReports.h"
#include "core/reports/ReportOptions.h"
#include "core/reports/StatusReport.h"
#include "core/store/Settings.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandRouter.h"
#include "gui/app/QtText.h"
#include "gui/reports/AnalysisCommands.h"
#include "gui/reports/CardLabelDialog.h"
#include "gui/reports/CardOptionsDialog.h"
#include "gui/reports/ReportCommands.h"
#include "gui/reports/ReportPrinting.h"
#include "gui/reports/ReportSettingsDialog.h"
#include "gui/registry/PersonPickerDialog.h"
#include "render/QPainterCanvas.h"

namespace vardo {
namespace {

constexpr StrId kNoPrinterMessage = StrId::NoPrinter;
constexpr int kPdfResolution = 600;

// The default printer's horizontal resolution is at least 300 dpi; no printer counts as high resolution.
bool DefaultPrinterIsHighResolution() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return true;
    const QPrinter printer(info, QPrinter::HighResolution);
    return printer.resolution() >= 300;
}

// A canvas at the screen's resolution without a window, for the page-count pass.
class ScreenMeasure {
public:
    explicit ScreenMeasure(Resolution screen) : m_image(8, 8, QImage::Format_RGB32) {
        m_image.setDotsPerMeterX(static_cast<int>(std::lround(screen.x / 0.0254)));
        m_image.setDotsPerMeterY(static_cast<int>(std::lround(screen.y / 0.0254)));
        m_painter.begin(&m_image);
        m_canvas = std::make_unique<QPainterCanvas>(m_painter, screen);
    }
    ~ScreenMeasure() {
        m_canvas.reset();
        m_painter.end();
    }
    ScreenMeasure(const ScreenMeasure&) = delete;
    ScreenMeasure& operator=(const ScreenMeasure&) = delete;

    Canvas& Get() { return *m_canvas; }

private:
    QImage m_image;
    QPainter m_painter;
    std::unique_ptr<QPainterCanvas> m_canvas;
};

} // namespace

CVardoView::CVardoView(CVardoDoc& doc, Prompter& prompter, const Clock& clock, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_prompter(prompter),
      m_clock(clock), m_screen{logicalDpiX(), logicalDpiY()}, m_fonts(doc.LanguageTag()) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_saveAsPdf = new QAction(QStringLiteral("Zapisz jako PDF…"), this);
    m_saveAsPdf->setEnabled(false);
    connect(m_saveAsPdf, &QAction::triggered, this, [this] { SaveAsPdf(); });
    m_changeSubscription = m_doc.Changes().Subscribe([this](const ChangeEvent& event) {
        if (m_mode == ViewMode::Report && event.kind != ChangeEvent::Kind::Saved)
            UpdateView();
    });
}

CVardoView::~CVardoView() = default;

ReportEnvironment CVardoView::ScreenEnvironment() const {
    ReportEnvironment environment;
    environment.fonts = m_fonts;
    environment.options = CurrentReportOptions();
    environment.screen = m_screen;
    environment.today = m_clock.Today();
    environment.languageTag = m_doc.LanguageTag();
    environment.group = m_group;
    return environment;
}

// ---- commands -------------------------------------------------------------------------------------------

bool CVardoView::HandlesCommand(int id) {
    return FindReportCommand(id) != nullptr || FindFontCommand(id) != nullptr || id == cmd::kReturnToPanel ||
           id == cmd::kPrint || id == cmd::kPrintPreview || id == cmd::kPrintSetup ||
           id == viewcmd::kFontsHighResolution || id == cmd::kReportSettings || id == cmd::kRecordCardOptions;
}

bool CVardoView::IsCommandEnabled(int id) const {
    if (const ReportCommand* command = FindReportCommand(id)) {
        if (!m_doc.IsLoaded() || !ReportKindAvailable(command->kind))
            return false;
        if (id == viewcmd::kInactiveContactCongregation)
            return m_doc.Database().CategoryCount(PublisherCategory::Inactive) > 0;
        if (id == viewcmd::kAveragesUserCategory || id == viewcmd::kHoursUserCategory)
            return m_doc.GetSettings().userCategoryEnabled != 0;
        return true;
    }
    switch (id) {
    case cmd::kReturnToPanel:
    case cmd::kPrint:
    case cmd::kPrintPreview:
        return m_mode == ViewMode::Report && m_report != nullptr;
    case cmd::kPrintSetup:
    case viewcmd::kFontsHighResolution:
        return true;
    case cmd::kReportSettings:
    case cmd::kRecordCardOptions:
        return m_doc.IsLoaded();
    default:
        return FindFontCommand(id) != nullptr;
    }
}

std::optional<QString> CVardoView::CommandText(int id) const {
    if ((id == viewcmd::kAveragesUserCategory || id == viewcmd::kHoursUserCategory) &&
        !m_doc.GetSettings().userCategoryLabel.empty())
        return ToQt(m_doc.GetSettings().userCategoryLabel);
    return std::nullopt;
}

void CVardoView::RegisterCommands(CommandRouter& router) {
    std::vector<int> ids = {
        cmd::kReturnToPanel,           cmd::kPrint,          cmd::kPrintPreview,     cmd::kPrintSetup,
        viewcmd::kFontsHighResolution, cmd::kReportSettings, cmd::kRecordCardOptions};
    for (const auto& command : ReportCommandTable())
        ids.push_back(command.id);
    for (const auto& command : FontCommandTable())
        ids.push_back(command.id);
    for (const int id : ids) {
        router.Register(
            id, [this, id] { OnCommand(id); },
            [this, id] {
                CommandState state;
                state.enabled = IsCommandEnabled(id);
                state.text = CommandText(id);
                return state;
            });
    }
    connect(this, &CVardoView::ModeChanged, &router, &CommandRouter::StatesChanged);
}

void CVardoView::OnCommand(int id) {
    if (!IsCommandEnabled(id))
        return;
    if (FindReportCommand(id) != nullptr) {
        RunReportCommand(id);
        return;
    }
    if (const FontCommand* font = FindFontCommand(id)) {
        EditFont(font->font, ToQt(font->dialogTitle));
        return;
    }
    switch (id) {
    case cmd::kReturnToPanel:
        ReturnToMainPanel();
        break;
    case cmd::kPrint:
        Print();
        break;
    case cmd::kPrintPreview:
        PrintPreview();
        break;
    case cmd::kPrintSetup: {
        QPageSetupDialog dialog(&Printer(), this);
        if (dialog.exec() == QDialog::Accepted)
            UpdateView();
        break;
    }
    case viewcmd::kFontsHighResolution:
        ResetReportFonts();
        break;
    case cmd::kReportSettings:
        EditReportSettings();
        break;
    case cmd::kRecordCardOptions:
        EditCardOptions();
        break;
    default:
        break;
    }
}

QMenu* CVardoView::CreateFontMenu(QWidget* parent) {
    auto* menu = new QMenu(QStringLiteral("Czcionki"), parent);
    for (const auto& command : FontCommandTable()) {
        const int id = command.id;
        menu->addAction(ToQt(command.menuText), this, [this, id] { OnCommand(id); });
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Wysoka rozdzielczość - domyślnie"), this,
                    [this] { OnCommand(viewcmd::kFontsHighResolution); });
    return menu;
}

void CVardoView::RunReportCommand(int id) {
    const ReportCommand* command = FindReportCommand(id);
    int group = 0;
    if (command->chooseGroup) {
        const std::optional<ReportGroupChoice> choice = ChooseGroup(command->kind, command->printButtons);
        if (!choice)
            return;
        if (choice->action == ReportGroupChoice::Action::PrintAll) {
            std::vector<int> groups;
            for (int g = 1; g <= choice->groupCount; ++g)
                if (GroupHasPeople(command->kind, g))
                    groups.push_back(g);
            PrintGroups(command->kind, groups);
            return;
        }
        if (choice->action == ReportGroupChoice::Action::PrintSelected) {
            PrintGroups(command->kind, {choice->group});
            return;
        }
        group = choice->group;
    }
    if (command->kind == ReportKind::RecordCards) {
        std::optional<LabelSource> labels = ChooseCardLabels(this, m_doc, id == viewcmd::kCardLabelsChosen);
        if (!labels)
            return;
        m_labelPersons.clear();
        for (const RecordNumber record : labels->records)
            m_labelPersons.push_back(m_doc.Database().Record(record).Id());
        m_labelFirstPosition = labels->firstPosition;
        ShowReport(ReportKind::RecordCards, 0);
        return;
    }
    if (command->kind == ReportKind::EmergencyForms) {
        // The forms of the persons chosen; choosing nobody gives the blank form.
        std::vector<PickerItem> items;
        const PublisherDatabase& database = m_doc.Database();
        for (const IndexEntry& entry : database.List(PublisherCategory::Publisher))
            items.push_back(
                {entry.id, database.DisplayNameOfRecord(entry.recordNumber, database.SortsLastNameFirst())});
        const auto chosen = PersonPickerDialog::RunMany(this, std::string(Str(StrId::ChooseFormPersons)), items);
        if (!chosen)
            return;
        m_formPersons = *chosen;
        ShowReport(m_formPersons.empty() ? ReportKind::EmergencyBlankForm : ReportKind::EmergencyForms, 0);
        return;
    }
    ShowReport(command->kind, group);
}

// ---- modes and drawing ----------------------------------------------------------------------------------

void CVardoView::ShowReport(ReportKind kind, int group) {
    m_kind = kind;
    m_group = group;
    const bool changed = m_mode != ViewMode::Report;
    m_mode = ViewMode::Report;
    UpdateView();
    if (changed)
        emit ModeChanged(m_mode);
    m_saveAsPdf->setEnabled(m_report != nullptr);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    setFocus();
}

void CVardoView::ShowStatusReport(const StatusQuery& query) {
    m_statusQuery = query;
    ShowReport(StatusReportKind(query.kind), 0);
}

void CVardoView::ReturnToMainPanel() {
    m_mode = ViewMode::MainPanel;
    m_report.reset();
    m_pageCount = 1;
    m_saveAsPdf->setEnabled(false);
    UpdateScrollBars();
    emit ModeChanged(m_mode);
}

void CVardoView::EnsureFontsLoaded() {
    if (!m_fontsLoaded)
        LoadReportFonts();
}

void CVardoView::RebuildSource() {
    m_source = ListSource{};
    if (!m_doc.IsLoaded())
        return;
    m_source.database = &m_doc.Database();
    m_source.groups = &m_doc.Side().groups;
    m_source.workingMonth = m_doc.GetWorkingMonth();
    m_source.emails = LoadEmails(m_doc.Folder(), m_doc.Database());
    m_source.safety = LoadSafetyData(m_doc.DataFolderRoot());
    m_source.formPersons = m_formPersons;
    m_analysis = AnalysisSourceOf(m_doc);
}

std::unique_ptr<Report> CVardoView::MakeReport(ReportKind kind, int group) {
    if (m_source.database == nullptr)
        return nullptr;
    if (const std::optional<StatusViewKind> view = StatusViewOfReport(kind)) {
        StatusQuery query = m_statusQuery;
        query.kind = *view;
        return MakeStatusReport(MakeStatusReportContent(StatusDataOf(m_doc), query, &m_doc.Side().groups));
    }
    if (kind == ReportKind::Statistics)
        return MakeStatisticsReport(StatisticsSourceOf(m_doc));
    if (kind == ReportKind::RecordCards) {
        LabelSource labels;
        labels.database = m_source.database;
        labels.workingMonth = m_source.workingMonth;
        labels.firstPosition = m_labelFirstPosition;
        // A person removed meanwhile drops out of the labels.
        for (const PublisherId id : m_labelPersons)
            if (const RecordNumber record = m_source.database->RecordNumberOfId(id);
                m_source.database->IsPerson(record))
                labels.records.push_back(record);
        return labels.records.empty() ? nullptr : MakeCardLabelsReport(std::move(labels));
    }
    if (const std::optional<AnalysisVariant> variant = AnalysisVariantOf(kind, group))
        return MakeAnalysisReport(m_analysis, *variant);
    if (auto report = MakeListReport(kind, m_source, group))
        return report;
    HoursSource hours;
    hours.database = m_source.database;
    hours.groups = m_source.groups;
    hours.workingMonth = m_source.workingMonth;
    hours.userCategoryLabel = m_doc.GetSettings().userCategoryLabel;
    return MakeHoursReport(kind, hours, group);
}

void CVardoView::UpdateView() {
    if (m_mode == ViewMode::Report) {
        EnsureFontsLoaded();
        m_report.reset();
        RebuildSource();
        m_report = MakeReport(m_kind, m_group);
        m_pageCount = 1;
        if (m_report) {
            ScreenMeasure measure(m_screen);
            m_pageCount = std::max(m_report->CountPages(measure.Get(), ScreenEnvironment()), 1);
        }
    }
    UpdateScrollBars();
    viewport()->update();
}

void CVardoView::UpdateScrollBars() {
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    if (m_mode != ViewMode::Report) {
        vertical->setRange(0, 0);
        horizontal->setRange(0, 0);
        return;
    }
    const ScrollSizes sizes = ReportScrollSizes(m_pageCount, ScreenEnvironment());
    const QSize area = viewport()->size();
    vertical->setRange(0, std::max(sizes.totalHeight - area.height(), 0));
    vertical->setPageStep(sizes.pageStepY);
    vertical->setSingleStep(sizes.lineStepY);
    horizontal->setRange(0, std::max(sizes.totalWidth - area.width(), 0));
    horizontal->setPageStep(sizes.pageStepX);
    horizontal->setSingleStep(sizes.lineStepX);
}

void CVardoView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), QColor(0x80, 0x80, 0x80));
    if (m_mode != ViewMode::Report || !m_report)
        return;
    const ReportEnvironment environment = ScreenEnvironment();
    const ScrollSizes sizes = ReportScrollSizes(m_pageCount, environment);
    const int x0 = horizontalScrollBar()->value();
    const int y0 = verticalScrollBar()->value();
    painter.fillRect(QRect(-x0, -y0, sizes.totalWidth, sizes.totalHeight), Qt::white);
    // Page boundaries, so the sheet reads as the pages it prints as.
    const int band = environment.pageHeightTenths / 10 * m_screen.y;
    painter.setPen(QPen(QColor(0xc0, 0xc0, 0xc0), 1, Qt::DashLine));
    for (int page = 1; page < m_pageCount; ++page)
        painter.drawLine(-x0, band * page - y0, sizes.totalWidth - x0, band * page - y0);

    QPainterCanvas canvas(painter, m_screen);
    canvas.SetOrigin(-x0, -y0);
    const QSize area = viewport()->size();
    canvas.SetClip(Rect{x0, y0, x0 + std::min(area.width(), sizes.totalWidth), y0 + area.height()});
    m_report->Draw(canvas, environment);
    canvas.ResetClip();
    canvas.SetOrigin(0, 0);
}

void CVardoView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CVardoView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CVardoView::keyPressEvent(QKeyEvent* event) {
    if (m_mode != ViewMode::Report) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    switch (event->key()) {
    case Qt::Key_Escape:
        ReturnToMainPanel();
        break;
    case Qt::Key_PageUp:
        vertical->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        vertical->setValue(vertical->minimum());
        horizontal->setValue(horizontal->minimum());
        break;
    case Qt::Key_End:
        vertical->setValue(vertical->maximum());
        horizontal->setValue(horizontal->maximum());
        break;
    case Qt::Key_Up:
        vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Left:
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

// ---- groups ---------------------------------------------------------------------------------------------

bool CVardoView::GroupHasPeople(ReportKind kind, int group) const {
    if (!m_doc.IsLoaded())
        return false;
    const PublisherCategory category =
        kind == ReportKind::ContactInactive ? PublisherCategory::Inactive : PublisherCategory::Publisher;
    for (const IndexEntry& entry : m_doc.Database().List(category))
        if (entry.record->Group() == group && !(category == PublisherCategory::Inactive && entry.record->HidesGroup()))
            return true;
    return false;
}

std::optional<ReportGroupChoice> CVardoView::ChooseGroup(ReportKind kind, bool printButtons) {
    std::vector<std::string> names;
    const GroupTable& groups = m_doc.Side().groups;
    // The table counts its groups from 0; the chooser's rows are groups 1..N.
    for (int g = 0; g < groups.Count(); ++g)
        names.push_back(groups.DisplayName(g));
    std::optional<ReportGroupChoice> choice = ReportGroupDialog::Run(this, std::move(names), m_group, printButtons);
    if (!choice || choice->groupCount == 0)
        return std::nullopt;
    if (choice->action != ReportGroupChoice::Action::PrintAll && !GroupHasPeople(kind, choice->group))
        return std::nullopt;
    return choice;
}

// ---- fonts ----------------------------------------------------------------------------------------------

void CVardoView::LoadReportFonts() {
    m_fonts = ReportFonts(m_doc.LanguageTag());
    m_fonts.LoadAll(m_doc.SettingsFile(), DefaultPrinterIsHighResolution());
    m_fontsLoaded = true;
}

void CVardoView::SaveReportFonts() {
    if (!m_fontsLoaded || !m_doc.IsLoaded() || m_doc.PastMonthMode())
        return;
    IniFile& ini = m_doc.SettingsFile();
    const std::string before = ini.Serialize();
    m_fonts.Save(ini);
    if (ini.Serialize() == before)
        return;
    const Status saved = SaveSettingsFile(ini, m_doc.Folder());
    if (!saved)
        m_prompter.Message(saved.message(), Severity::Error);
}

void CVardoView::ResetReportFonts() {
    m_fonts.ResetAll(true);
    m_fontsLoaded = true;
    UpdateView();
}

bool CVardoView::ChangeFont(ReportFontId id, const LogicalFont& font) {
    EnsureFontsLoaded();
    if (m_fonts.Get(id) == font)
        return false;
    m_fonts.Set(id, font);
    UpdateView();
    return true;
}

bool CVardoView::EditFont(ReportFontId id, const QString& title) {
    EnsureFontsLoaded();
    const LogicalFont current = m_fonts.Get(id);
    QFont initial = ToQFont(current, viewport());
    // The dialog works in points; the report fonts keep character heights in screen pixels.
    initial.setPointSizeF(initial.pixelSize() * 72.0 / m_screen.y);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, title);
    if (!ok)
        return false;
    LogicalFont edited = current;
    edited.face = ToUtf8(chosen.family()).substr(0, 31);
    const double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : chosen.pixelSize() * 72.0 / m_screen.y;
    edited.height = -std::max(static_cast<int>(std::lround(points * m_screen.y / 72.0)), 1);
    edited.weight = static_cast<int>(chosen.weight());
    edited.italic = chosen.italic();
    edited.underline = chosen.underline();
    const int pitch = QFontInfo(chosen).fixedPitch() ? 1 : 2;
    edited.pitchAndFamily = (current.pitchAndFamily & ~0x03) | pitch;
    return ChangeFont(id, edited);
}

// ---- report options ------------------------------------------------------------------------------------

ReportOptions CVardoView::CurrentReportOptions() const {
    return EffectiveReportOptions(m_doc.GetSettings(), m_runOptions);
}

bool CVardoView::EditReportSettings() {
    if (!m_doc.IsLoaded())
        return false;
    const std::optional<ReportSettingsPresenter> edited =
        ReportSettingsDialog::Run(this, CurrentReportOptions(), m_doc.GetSettings().firstNameFirst != 0, m_prompter);
    if (!edited)
        return false;
    DocumentChange change(m_doc.Changes(), "Ustawienia raportu");
    change.Touch(DataArea::Settings);
    if (!edited->Store(m_runOptions, m_doc.GetSettings()))
        return false;
    change.Commit();
    UpdateView();
    emit ReportOptionsChanged();
    return true;
}

bool CVardoView::EditCardOptions() {
    if (!m_doc.IsLoaded())
        return false;
    const std::optional<CardOptionsPresenter> edited =
        CardOptionsDialog::Run(this, CardOptionsFromSettings(m_doc.GetSettings()));
    if (!edited)
        return false;
    DocumentChange change(m_doc.Changes(), "Opcje zestawienia sprawozdań");
    change.Touch(DataArea::Settings);
    if (!edited->Store(m_doc.GetSettings()))
        return false;
    change.Commit();
    UpdateView();
    emit ReportOptionsChanged();
    return true;
}

// ---- printing -------------------------------------------------------------------------------------------

std::string CVardoView::PrinterName() {
    const QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty())
        return std::string(Str(kNoPrinterMessage));
    return ToUtf8(name);
}

QPrinter& CVardoView::Printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

ReportEnvironment CVardoView::PrintingEnvironment(const QPrinter& printer) const {
    return ForPrinting(ScreenEnvironment(), PrinterPaperIsA4(printer));
}

bool CVardoView::PrintJob(QPrinter& printer, const std::vector<JobPart>& parts, bool asPrinted, bool showProgress,
                          const std::string& failure) {
    EnsureFontsLoaded();
    printer.setFullPage(true);
    const bool driverCopies = printer.supportsMultipleCopies();
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_prompter.Message(failure, Severity::Error);
        return false;
    }
    std::unique_ptr<QProgressDialog> progress;
    if (showProgress) {
        progress =
            std::make_unique<QProgressDialog>(QStringLiteral("Drukowanie…"), QStringLiteral("Anuluj"), 0, 0, this);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(800);
    }
    int partsDone = 0;
    const auto report = [&](int done, int total) {
        if (!progress)
            return true;
        progress->setMaximum(total * static_cast<int>(parts.size()));
        progress->setValue(partsDone * total + done);
        QApplication::processEvents();
        return !progress->wasCanceled();
    };
    bool startsNewPage = false;
    bool ok = true;
    for (const JobPart& part : parts) {
        ReportEnvironment printing = PrintingEnvironment(printer);
        printing.group = part.group;
        QPainterCanvas canvas(painter);
        const int pages = std::max(part.report->CountPages(canvas, printing), 1);
        PrintRange range;
        range.lastPage = pages;
        if (asPrinted)
            range = PrinterRange(printer, pages);
        ok = PrintReportPages(printer, painter, *part.report, printing, range, startsNewPage, report);
        m_lastPagePrinted = range.lastPage;
        ++partsDone;
        if (!ok)
            break;
    }
    if (!ok)
        printer.abort();
    painter.end();
    if (driverCopies)
        printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    return ok;
}

bool CVardoView::Print() {
    if (m_mode != ViewMode::Report || !m_report)
        return false;
    QPrinter& printer = Printer();
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, m_pageCount);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return PrintJob(printer, {{m_report.get(), m_group}}, true, true, "Could not start print job.");
}

bool CVardoView::PrintTo(QPrinter& printer) {
    if (m_mode != ViewMode::Report || !m_report)
        return false;
    return PrintJob(printer, {{m_report.get(), m_group}}, true, false, "Could not start print job.");
}

void CVardoView::PrintPreview() {
    if (m_mode != ViewMode::Report || !m_report)
        return;
    QPrintPreviewDialog preview(&Printer(), this);
    preview.setWindowTitle(QStringLiteral("Podgląd wydruku"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        PrintJob(*printer, {{m_report.get(), m_group}}, false, false, "Could not start print job.");
    });
    m_previewActive = true;
    preview.exec();
    m_previewActive = false;
}

bool CVardoView::PrintGroups(ReportKind kind, const std::vector<int>& groups, QPrinter* printer) {
    if (groups.empty())
        return false;
    QPrinter* target = printer;
    if (target == nullptr) {
        target = &Printer();
        // Without a default printer the print dialog asks once for the whole run.
        if (QPrinterInfo::defaultPrinter().isNull()) {
            QPrintDialog dialog(target, this);
            dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
            if (dialog.exec() != QDialog::Accepted)
                return false;
        }
    }
    EnsureFontsLoaded();
    RebuildSource();
    std::vector<std::unique_ptr<Report>> reports;
    std::vector<JobPart> parts;
    for (const int group : groups) {
        reports.push_back(MakeReport(kind, group));
        if (reports.back())
            parts.push_back(JobPart{reports.back().get(), group});
        QApplication::processEvents();
    }
    const bool ok = !parts.empty() && PrintJob(*target, parts, false, true, "Could not start print job.");
    reports.clear();
    ReturnToMainPanel();
    return ok;
}

bool CVardoView::ExportPdf(const QString& path) {
    if (m_mode != ViewMode::Report || !m_report)
        return false;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(Printer().pageLayout());
    pdf.setOutputFileName(path);
    pdf.setDocName(ToQt(ReportKindName(m_kind)));
    pdf.setCreator(QStringLiteral("Vardo"));
    return PrintJob(pdf, {{m_report.get(), m_group}}, false, true, "Nie mogę utworzyć pliku PDF: " + ToUtf8(path));
}

bool CVardoView::SaveAsPdf() {
    if (m_mode != ViewMode::Report || !m_report)
        return false;
    std::string name(ReportKindName(m_kind));
    if (m_group > 0)
        name += FormatPrintf("-%d", m_group);
    const QString proposal = ToQt((m_doc.Folder().Root() / (name + ".pdf")).string());
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Zapisz jako PDF"), proposal,
                                                QStringLiteral("Pliki PDF (*.pdf)"));
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return ExportPdf(path);
}

} // namespace vardo
