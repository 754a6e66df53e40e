#pragma once

#include <optional>
#include <vector>

#include <QDialog>

#include "core/reports/CardLabels.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;

namespace vardo {

class CVardoDoc;

/// Dialog 127 "Wybierz pierwszą kartę": the 20 labels of a sheet (2 columns × 10 rows); the chosen one is
/// the first free label the printing starts at. Position 1 is chosen when the dialog opens; the line below
/// the sheet tells how many sheets the labels take from the chosen position.
class CardLabelDialog : public QDialog {
    Q_OBJECT

public:
    CardLabelDialog(int labelCount, QWidget* parent = nullptr);

    /// The first free position (1..20) or nullopt when cancelled.
    static std::optional<int> Run(QWidget* parent, int labelCount);

    int Position() const { return m_position; }
    /// The button of position 1..20.
    QAbstractButton* PositionButton(int position) const;
    QString SheetsText() const;

private:
    void Choose(int position);

    int m_labelCount = 0;
    int m_position = 1;
    QButtonGroup* m_group = nullptr;
    QLabel* m_sheets = nullptr;
};

/// The labels of commands 32821 (every person of the active list) and 32822 (the persons chosen in the
/// publisher chooser, then dialog 127 when 20 or fewer are chosen). nullopt when cancelled or nobody was
/// chosen; the labels follow the list's order.
std::optional<LabelSource> ChooseCardLabels(QWidget* parent, const CVardoDoc& doc, bool choosePersons);

} // namespace vardo
