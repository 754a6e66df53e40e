#include "gui/registry/DatePickerWidget.h"

#include <QComboBox>
#include <QHBoxLayout>

#include "gui/app/QtText.h"

namespace vardo {
namespace {

void Fill(QComboBox* box, const std::vector<std::string>& entries) {
    box->clear();
    for (const auto& entry : entries)
        box->addItem(ToQt(entry));
}

} // namespace

DatePickerWidget::DatePickerWidget(QWidget* parent)
    : QWidget(parent), m_month(new QComboBox(this)), m_day(new QComboBox(this)), m_year(new QComboBox(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_month);
    layout->addWidget(m_day);
    layout->addWidget(m_year);
    layout->addStretch(1);
    m_month->setObjectName(QStringLiteral("month"));
    m_day->setObjectName(QStringLiteral("day"));
    m_year->setObjectName(QStringLiteral("year"));
    Fill(m_month, MonthPickerEntries());
    Fill(m_day, DayPickerEntries());
    m_month->setMaxVisibleItems(13);
    m_day->setMaxVisibleItems(16);
    m_year->setMaxVisibleItems(16);
    for (QComboBox* box : {m_month, m_day, m_year})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { emit Changed(); });
    setFocusProxy(m_month);
}

void DatePickerWidget::SetYears(YearRange years) {
    const PickerDate date = Date();
    m_years = years;
    Fill(m_year, YearPickerEntries(years));
    SetDate(date);
}

PickerDate DatePickerWidget::Date() const {
    return {m_month->currentIndex() > 0 ? m_month->currentIndex() : 0,
            m_day->currentIndex() > 0 ? m_day->currentIndex() : 0, IndexToYear(m_year->currentIndex(), m_years)};
}

void DatePickerWidget::SetDate(const PickerDate& date) {
    const QSignalBlocker month(m_month);
    const QSignalBlocker day(m_day);
    const QSignalBlocker year(m_year);
    m_month->setCurrentIndex(date.month >= 1 && date.month <= 12 ? date.month : 0);
    m_day->setCurrentIndex(date.day >= 1 && date.day <= 31 ? date.day : 0);
    m_year->setCurrentIndex(YearToIndex(date.year, m_years));
}

} // namespace vardo
