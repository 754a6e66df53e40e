#pragma once

#include <QWidget>

#include "core/registry/DatePicker.h"

class QComboBox;

namespace vardo {

/// A date picker of three lists (month, day, year), each with a blank first entry.
class DatePickerWidget : public QWidget {
    Q_OBJECT

public:
    explicit DatePickerWidget(QWidget* parent = nullptr);

    /// Fills the year list; the month and day lists are fixed.
    void SetYears(YearRange years);
    PickerDate Date() const;
    /// Shows a date without emitting Changed.
    void SetDate(const PickerDate& date);

    QComboBox* MonthBox() const { return m_month; }
    QComboBox* DayBox() const { return m_day; }
    QComboBox* YearBox() const { return m_year; }

signals:
    /// The user changed one of the three lists.
    void Changed();

private:
    QComboBox* m_month;
    QComboBox* m_day;
    QComboBox* m_year;
    YearRange m_years;
};

} // namespace vardo
