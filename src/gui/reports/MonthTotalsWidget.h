#pragma once

#include <array>

#include <QGroupBox>

#include "core/store/DocumentChange.h"

class QLabel;

namespace vardo {

class CVardoDoc;

/// The working month's report to the branch office on the main panel: per category the reports counted,
/// hours and Bible studies, their sums and the publishers on the active list. It follows every change of
/// the document by itself.
class MonthTotalsWidget : public QGroupBox {
    Q_OBJECT

public:
    explicit MonthTotalsWidget(CVardoDoc& doc, QWidget* parent = nullptr);
    ~MonthTotalsWidget() override;

    /// Re-reads the totals from the document.
    void Refresh();
    /// The text of a cell: row 0..4 (publishers, auxiliary, regular, special pioneers, sums), column 0..2
    /// (reports, hours, Bible studies).
    QString CellText(int row, int column) const;

private:
    CVardoDoc& m_doc;
    std::array<std::array<QLabel*, 3>, 5> m_cells{};
    ChangeHub::Subscription m_subscription;
};

} // namespace vardo
