#include "gui/reports/CardLabelDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/doc/CVardoDoc.h"
#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "gui/registry/PersonPickerDialog.h"

namespace vardo {

CardLabelDialog::CardLabelDialog(int labelCount, QWidget* parent) : QDialog(parent), m_labelCount(labelCount) {
    setObjectName(QStringLiteral("CardLabelDialog"));
    setWindowTitle(QStringLiteral("Wybierz pierwszą kartę"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* sheet = new QGridLayout();
    sheet->setSpacing(4);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    for (int position = 1; position <= kLabelsPerSheet; ++position) {
        auto* button = new QPushButton(QString::number(position), this);
        button->setObjectName(QStringLiteral("label%1").arg(position));
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setMinimumSize(120, 28);
        m_group->addButton(button, position);
        sheet->addWidget(button, (position - 1) / 2, (position - 1) % 2);
    }
    layout->addLayout(sheet);
    m_sheets = new QLabel(this);
    m_sheets->setObjectName(QStringLiteral("sheetsLabel"));
    layout->addWidget(m_sheets);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(ToQt(Str(StrId::CancelButton)));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int position) { Choose(position); });
    Choose(1);
}

QAbstractButton* CardLabelDialog::PositionButton(int position) const {
    return m_group->button(position);
}

QString CardLabelDialog::SheetsText() const {
    return m_sheets->text();
}

void CardLabelDialog::Choose(int position) {
    m_position = position;
    if (QAbstractButton* button = m_group->button(position))
        button->setChecked(true);
    m_sheets->setText(
        ToQt(FormatArgs(Str(StrId::LabelSheetsInfo), {std::to_string(m_labelCount), std::to_string(position),
                                                      std::to_string(LabelPageCount(m_labelCount, position))})));
}

std::optional<int> CardLabelDialog::Run(QWidget* parent, int labelCount) {
    CardLabelDialog dialog(labelCount, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Position();
}

std::optional<LabelSource> ChooseCardLabels(QWidget* parent, const CVardoDoc& doc, bool choosePersons) {
    LabelSource source;
    source.database = &doc.Database();
    source.workingMonth = doc.GetWorkingMonth();
    const PublisherDatabase& database = doc.Database();
    const CategoryList& list = database.List(PublisherCategory::Publisher);
    if (!choosePersons) {
        for (const IndexEntry& entry : list)
            source.records.push_back(entry.recordNumber);
        return source.records.empty() ? std::nullopt : std::optional<LabelSource>(std::move(source));
    }
    std::vector<PickerItem> items;
    for (const IndexEntry& entry : list)
        items.push_back({entry.id, database.DisplayNameOfRecord(entry.recordNumber, database.SortsLastNameFirst())});
    const auto chosen = PersonPickerDialog::RunMany(parent, std::string(Str(StrId::ChooseCardForLabels)), items);
    if (!chosen || chosen->empty())
        return std::nullopt;
    for (const IndexEntry& entry : list)
        for (const PublisherId id : *chosen)
            if (entry.id == id)
                source.records.push_back(entry.recordNumber);
    if (source.records.size() <= static_cast<std::size_t>(kLabelsPerSheet)) {
        const std::optional<int> position = CardLabelDialog::Run(parent, static_cast<int>(source.records.size()));
        if (!position)
            return std::nullopt;
        source.firstPosition = *position;
    }
    return source;
}

} // namespace vardo
