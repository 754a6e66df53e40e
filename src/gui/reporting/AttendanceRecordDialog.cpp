#include "gui/reporting/AttendanceRecordDialog.h"

#include <algorithm>

#include <QHeaderView>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableWidget>
#include <QTextDocument>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Prompter.h"
#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
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

QString AttendanceRecordDialog::PrintedHtml() const {
    QString html = QStringLiteral("<html><body><h3 align=\"center\">%1</h3>")
                       .arg(ToQt(Str(StrId::AttendanceRecordTitle)).toHtmlEscaped());
    for (const MeetingKind kind : {MeetingKind::Midweek, MeetingKind::Weekend}) {
        const AttendanceRecordTable table = Table(kind);
        html += QStringLiteral("<h4>%1</h4>").arg(ToQt(MeetingName(kind)).toHtmlEscaped());
        html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr><th></th>");
        for (const std::string& year : table.yearHeadings)
            html += QStringLiteral("<th colspan=\"3\">%1</th>").arg(ToQt(year).toHtmlEscaped());
        html += QStringLiteral("</tr><tr>");
        for (const std::string& heading : table.headings)
            html += QStringLiteral("<th>%1</th>").arg(ToQt(heading).toHtmlEscaped());
        html += QStringLiteral("</tr>");
        for (const auto& row : table.rows) {
            html += QStringLiteral("<tr>");
            for (std::size_t c = 0; c < row.size(); ++c)
                html +=
                    QStringLiteral("<td align=\"%1\">%2</td>")
                        .arg(c == 0 ? QStringLiteral("left") : QStringLiteral("right"), ToQt(row[c]).toHtmlEscaped());
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("</table>");
    }
    return html + QStringLiteral("</body></html>");
}

bool AttendanceRecordDialog::Print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(ToQt(Str(StrId::AttendanceRecordDocument)));
    if (!m_choosePrinter(printer))
        return false;
    QTextDocument document;
    document.setHtml(PrintedHtml());
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error) {
        m_prompter.Message(Str(StrId::NoPrinter), Severity::Error);
        return false;
    }
    return true;
}

} // namespace vardo
