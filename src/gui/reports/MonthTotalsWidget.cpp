#include "gui/reports/MonthTotalsWidget.h"

#include <QGridLayout>
#include <QLabel>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Strings.h"
#include "core/reporting/MonthTotals.h"
#include "gui/app/QtText.h"

namespace vardo {

MonthTotalsWidget::MonthTotalsWidget(CVardoDoc& doc, QWidget* parent) : QGroupBox(parent), m_doc(doc) {
    setObjectName(QStringLiteral("monthTotals"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(2);
    const StrId headings[] = {StrId::ParticipatedHeading, StrId::HoursLabel, StrId::StudiesLabel};
    for (int c = 0; c < 3; ++c) {
        auto* heading = new QLabel(QStringLiteral("<b>%1</b>").arg(ToQt(Str(headings[c]))), this);
        heading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(heading, 0, c + 1);
    }
    const StrId labels[] = {StrId::PublishersShort, StrId::AuxiliaryHeading, StrId::RegularShort, StrId::SpecialShort,
                            StrId::SumsLabel};
    for (int r = 0; r < 5; ++r) {
        grid->addWidget(new QLabel(ToQt(Str(labels[r])), this), r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            auto* cell = new QLabel(this);
            cell->setObjectName(QStringLiteral("total_%1_%2").arg(r).arg(c));
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setMinimumWidth(56);
            grid->addWidget(cell, r + 1, c + 1);
            m_cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = cell;
        }
    }
    grid->setColumnStretch(4, 1);
    m_subscription = m_doc.Changes().Subscribe([this](const ChangeEvent&) { Refresh(); });
    Refresh();
}

MonthTotalsWidget::~MonthTotalsWidget() = default;

void MonthTotalsWidget::Refresh() {
    if (!m_doc.IsLoaded()) {
        setVisible(false);
        return;
    }
    setVisible(true);
    const MonthTotals& totals = m_doc.Totals();
    const WorkingMonth& month = m_doc.GetWorkingMonth();
    setTitle(ToQt(FormatArgs(Str(StrId::BranchReportTitle), {MonthName(month.monthIndex)}) +
                  FormatPrintf(" - %d ", totals.ActivePublishers()) + std::string(Str(StrId::ActivePublishers))));
    int reports = 0;
    for (int r = 0; r < 4; ++r) {
        const auto row = static_cast<std::size_t>(r);
        m_cells[row][0]->setText(QString::number(totals.Value(r, MonthTotals::kReportCountColumn)));
        // Publishers' hours are not reported to the branch office.
        m_cells[row][1]->setText(r == 0 ? QString() : QString::number(totals.Value(r, MonthTotals::kHoursColumn)));
        m_cells[row][2]->setText(QString::number(totals.Value(r, MonthTotals::kStudiesColumn)));
        if (r < 3)
            reports += totals.Value(r, MonthTotals::kReportCountColumn);
    }
    m_cells[4][0]->setText(QString::number(reports));
    m_cells[4][1]->setText(QString::number(TotalOfColumn(totals, MonthTotals::kHoursColumn)));
    m_cells[4][2]->setText(QString::number(TotalOfColumn(totals, MonthTotals::kStudiesColumn)));
}

QString MonthTotalsWidget::CellText(int row, int column) const {
    return m_cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column))->text();
}

} // namespace vardo
