#include "gui/reporting/AttendanceRecordDialog.h"

#include <algorithm>

#include <QHeaderView>
#include <QPrintDialog>
#include <QPainter>
#include <QPrinter>
#include <QTableWidget>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "core/reports/AttendanceRecordReport.h"
#include "core/reports/ReportOptions.h"
#include "gui/app/QtText.h"
#include "gui/reports/ReportPrinting.h"
#include "render/QPainterCanvas.h"
#include "ui_AttendanceRecordDialog.h"

namespace vardo {

AttendanceRecordDialog::AttendanceRecordDialog(const CVardoDoc& doc, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AttendanceRecordDialog>()), m_doc(doc), m_prompter(prompter) {
    m_ui->setupUi(this);
    m_ui->list219->addItem(ToQt(MeetingName(MeetingKind::Midweek)));
    m_ui->list219->addItem(ToQt(MeetingName(MeetingKind::Weekend)));
    m_ui->recordTable->verticalHeader()->setVisible(false);
    m_ui->recordTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_ui->recordTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_ui->list219, &QComboBox::currentIndexChanged, this, [this] { ShowMeeting(); });
    connect(m_ui->buttonPrint, &QPushButton::clicked, this, [this] { Print(); });
    connect(m_ui->buttonClose, &QPushButton::clicked, this, &QDialog::accept);
    m_choosePrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return dialog.exec() == QDialog::Accepted;
    };
    ShowMeeting();
}

AttendanceRecordDialog::~AttendanceRecordDialog() = default;

void AttendanceRecordDialog::Run(QWidget* parent, const CVardoDoc& doc, Prompter& prompter) {
    AttendanceRecordDialog dialog(doc, prompter, parent);
    dialog.exec();
}

MeetingKind AttendanceRecordDialog::Meeting() const {
    return m_ui->list219->currentIndex() == 1 ? MeetingKind::Weekend : MeetingKind::Midweek;
}

AttendanceRecordTable AttendanceRecordDialog::Table(MeetingKind kind) const {
    const WorkingMonth& month = m_doc.GetWorkingMonth();
    return MakeAttendanceRecordTable(m_doc.Side().attendance, kind, month,
                                     m_doc.GetMonthState(month.monthIndex) != MonthState::NotInitialised);
}

void AttendanceRecordDialog::ShowMeeting() {
    const AttendanceRecordTable table = Table(Meeting());
    QTableWidget* grid = m_ui->recordTable;
    grid->clear();
    grid->setColumnCount(7);
    grid->setRowCount(static_cast<int>(table.rows.size()));
    QStringList headings;
    for (std::size_t c = 0; c < table.headings.size(); ++c) {
        QString heading = ToQt(table.headings[c]);
        // The service year heads the first column of its three.
        if (c > 0)
            heading = (c % 3 == 1 ? ToQt(table.yearHeadings[(c - 1) / 3]) : QString()) + QLatin1Char('\n') + heading;
        headings << heading;
    }
    grid->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < 7; ++c) {
            auto* item =
                new QTableWidgetItem(ToQt(table.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (r + 1 == grid->rowCount()) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            grid->setItem(r, c, item);
        }
    // The whole record fits without scrolling sideways.
    grid->resizeColumnsToContents();
    int width = 2 * grid->frameWidth() + 2;
    for (int c = 0; c < grid->columnCount(); ++c)
        width += grid->columnWidth(c);
    grid->setMinimumWidth(std::max(grid->minimumWidth(), width));
}

bool AttendanceRecordDialog::Print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(ToQt(Str(StrId::AttendanceRecordDocument)));
    if (!m_choosePrinter(printer))
        return false;
    const WorkingMonth& month = m_doc.GetWorkingMonth();
    AttendanceRecordSource source;
    source.attendance = &m_doc.Side().attendance;
    source.workingMonth = month;
    source.workingMonthInitialised = m_doc.GetMonthState(month.monthIndex) != MonthState::NotInitialised;
    const std::unique_ptr<Report> report = MakeAttendanceRecordReport(source);

    printer.setFullPage(true);
    InstallFontSubstitutions();
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_prompter.Message(Str(StrId::NoPrinter), Severity::Error);
        return false;
    }
    ReportEnvironment environment;
    environment.fonts = ReportFonts(m_doc.LanguageTag());
    environment.options = ReportOptionsFromSettings(m_doc.GetSettings());
    environment.screen = Resolution{logicalDpiX(), logicalDpiY()};
    environment.languageTag = m_doc.LanguageTag();
    const ReportEnvironment printing = ForPrinting(environment, PrinterPaperIsA4(printer));
    QPainterCanvas canvas(painter);
    const PageRun run(*report, canvas, printing);
    PrintRange range;
    range.lastPage = std::max(report->CountPages(canvas, printing), 1);
    bool startsNewPage = false;
    const bool ok = PrintReportPages(printer, painter, *report, printing, range, startsNewPage);
    if (!ok) {
        printer.abort();
        painter.end();
        m_prompter.Message(Str(StrId::NoPrinter), Severity::Error);
        return false;
    }
    painter.end();
    return true;
}

} // namespace vardo
