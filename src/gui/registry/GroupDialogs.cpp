#include "gui/registry/GroupDialogs.h"

#include <QTreeWidgetItem>

#include "core/registry/Family.h"
#include "core/platform/Strings.h"
#include "gui/app/QtText.h"
#include "gui/registry/PersonPickerDialog.h"
#include "ui_GroupAssignmentDialog.h"
#include "ui_GroupEditorDialog.h"
#include "ui_GroupListDialog.h"

namespace vardo {
namespace {

/// The Publishers for the editor's "Wybierz", in list order.
std::vector<PickerItem> PublisherItems(const PublisherDatabase& database) {
    std::vector<PickerItem> items;
    for (const IndexEntry& entry : database.List(PublisherCategory::Publisher))
        items.push_back({entry.id, database.DisplayNameOfRecord(entry.recordNumber, database.SortsLastNameFirst())});
    return items;
}

std::vector<std::string> SplitRow(const std::string& row) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = row.find('\t', start);
        std::string cell = row.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        while (!cell.empty() && cell.back() == ' ')
            cell.pop_back();
        cells.push_back(std::move(cell));
        if (tab == std::string::npos)
            return cells;
        start = tab + 1;
    }
}

} // namespace

// --- Group list ----------------------------------------------------------------------------------------------

GroupListDialog::GroupListDialog(RegistryContext& context, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::GroupListDialog>()), m_context(context), m_list(context) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(Str(StrId::GroupListTitle)));
    QStringList headings{ToQt(Str(StrId::GroupNumberSign))};
    for (const std::string& heading : GroupListPresenter::Headings())
        headings << ToQt(heading);
    m_ui->groupTree->setHeaderLabels(headings);
    m_ui->noteLabel->setText(ToQt(GroupListPresenter::NoteText()));
    connect(m_ui->groupTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr)
            OnSelect(m_ui->groupTree->indexOfTopLevelItem(item));
    });
    connect(m_ui->groupTree, &QTreeWidget::itemDoubleClicked, this, [this] { m_ui->editButton->click(); });
    connect(m_ui->editButton, &QPushButton::clicked, this, [this] {
        GroupEditorDialog::Run(this, m_context, m_list.Selection() + 1);
        Fill();
    });
    connect(m_ui->assignButton, &QPushButton::clicked, this, [this] {
        GroupAssignmentDialog::Run(this, m_context, m_list.Selection() + 1);
        Fill();
    });
    connect(m_ui->exitButton, &QPushButton::clicked, this, &QDialog::accept);
    Fill();
}

GroupListDialog::~GroupListDialog() = default;

void GroupListDialog::Fill() {
    const QSignalBlocker block(m_ui->groupTree);
    m_ui->groupTree->clear();
    for (const std::string& row : m_list.Rows()) {
        QStringList cells;
        for (const std::string& cell : SplitRow(row))
            cells << ToQt(cell);
        m_ui->groupTree->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    for (int column = 0; column < m_ui->groupTree->columnCount(); ++column)
        m_ui->groupTree->resizeColumnToContents(column);
    m_ui->noteLabel->setVisible(m_list.NoteVisible());
    m_ui->assignButton->setEnabled(m_list.AssignEnabled());
    OnSelect(m_list.Selection());
}

void GroupListDialog::OnSelect(int row) {
    m_list.Select(row);
    const QSignalBlocker block(m_ui->groupTree);
    m_ui->groupTree->setCurrentItem(m_ui->groupTree->topLevelItem(m_list.Selection()));
    m_ui->editButton->setText(ToQt(m_list.EditButtonText()));
}

void GroupListDialog::done(int result) {
    m_list.Close();
    QDialog::done(result);
}

void GroupListDialog::Run(QWidget* parent, RegistryContext& context) {
    GroupListDialog dialog(context, parent);
    dialog.exec();
}

// --- Group editor --------------------------------------------------------------------------------------------

GroupEditorDialog::GroupEditorDialog(RegistryContext& context, int g, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::GroupEditorDialog>()), m_context(context), m_editor(context, g) {
    m_ui->setupUi(this);
    setWindowTitle(ToQt(m_editor.Title()));
    for (int day = 0; day < 7; ++day)
        m_ui->dayCombo->addItem(ToQt(DayName(day)));
    const GroupFields& fields = m_editor.fields;
    m_ui->overseerEdit->setText(ToQt(fields.overseer));
    m_ui->assistantEdit->setText(ToQt(fields.assistant));
    m_ui->placeEdit->setText(ToQt(fields.place));
    m_ui->dayCombo->setCurrentIndex(fields.day);
    m_ui->timeEdit->setText(ToQt(fields.time));
    m_ui->nameBox->setChecked(fields.useName);
    m_ui->nameEdit->setText(ToQt(fields.name));
    m_ui->nameEdit->setEnabled(fields.useName);
    connect(m_ui->nameBox, &QCheckBox::toggled, m_ui->nameEdit, &QWidget::setEnabled);
    auto choose = [this](void (GroupEditorPresenter::*set)(RecordNumber)) {
        TakeFields();
        const auto id =
            PersonPickerDialog::Run(this, std::string(Str(StrId::ChooseButton)), PublisherItems(m_context.database));
        if (!id)
            return;
        (m_editor.*set)(m_context.database.RecordNumberOfId(*id));
        m_ui->overseerEdit->setText(ToQt(m_editor.fields.overseer));
        m_ui->assistantEdit->setText(ToQt(m_editor.fields.assistant));
    };
    connect(m_ui->overseerChoose, &QPushButton::clicked, this,
            [choose] { choose(&GroupEditorPresenter::ChooseOverseer); });
    connect(m_ui->assistantChoose, &QPushButton::clicked, this,
            [choose] { choose(&GroupEditorPresenter::ChooseAssistant); });
    connect(m_ui->assignButton, &QPushButton::clicked, this,
            [this] { GroupAssignmentDialog::Run(this, m_context, m_editor.Group()); });
    connect(m_ui->okButton, &QPushButton::clicked, this, &GroupEditorDialog::OnOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

GroupEditorDialog::~GroupEditorDialog() = default;

void GroupEditorDialog::TakeFields() {
    GroupFields& fields = m_editor.fields;
    fields.overseer = ToUtf8(m_ui->overseerEdit->text());
    fields.assistant = ToUtf8(m_ui->assistantEdit->text());
    fields.place = ToUtf8(m_ui->placeEdit->text());
    fields.day = m_ui->dayCombo->currentIndex();
    fields.time = ToUtf8(m_ui->timeEdit->text());
    fields.useName = m_ui->nameBox->isChecked();
    fields.name = ToUtf8(m_ui->nameEdit->text());
}

void GroupEditorDialog::OnOk() {
    TakeFields();
    if (const Status stored = m_editor.Store(); !stored) {
        m_context.prompter.Message(stored.message(), Severity::Warning);
        return;
    }
    accept();
}

bool GroupEditorDialog::Run(QWidget* parent, RegistryContext& context, int g) {
    GroupEditorDialog dialog(context, g, parent);
    return dialog.exec() == QDialog::Accepted;
}

// --- Assignment ----------------------------------------------------------------------------------------------

GroupAssignmentDialog::GroupAssignmentDialog(RegistryContext& context, int g, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::GroupAssignmentDialog>()), m_context(context),
      m_assignment(context, g) {
    m_ui->setupUi(this);
    for (int number = 1; number <= GroupTable::kMaxGroups; ++number)
        m_ui->groupList->addItem(ToQt(FormatPrintf("%02d", number)));
    for (const std::string& item : GroupAssignment::FilterItems())
        m_ui->filterCombo->addItem(ToQt(item));
    m_ui->groupList->setCurrentRow(m_assignment.Target() - 1);
    connect(m_ui->groupList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_assignment.SetTarget(row + 1);
        Fill();
    });
    connect(m_ui->filterCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_assignment.SetFilter(index);
        const QSignalBlocker block(m_ui->unassignedBox);
        m_ui->unassignedBox->setChecked(false);
        Fill();
    });
    connect(m_ui->unassignedBox, &QCheckBox::toggled, this, [this](bool on) {
        m_assignment.SetOnlyUnassigned(on);
        const QSignalBlocker block(m_ui->filterCombo);
        m_ui->filterCombo->setCurrentIndex(0);
        Fill();
    });
    connect(m_ui->inactiveBox, &QCheckBox::toggled, this, [this](bool on) {
        m_assignment.SetIncludeInactive(on);
        Fill();
    });
    connect(m_ui->searchEdit, &QLineEdit::textChanged, this, [this] { Fill(); });
    connect(m_ui->candidateList, &QListWidget::itemDoubleClicked, this, &GroupAssignmentDialog::OnAssign);
    connect(m_ui->assignButton, &QPushButton::clicked, this, &GroupAssignmentDialog::OnAssign);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &QDialog::accept);
    Fill();
}

GroupAssignmentDialog::~GroupAssignmentDialog() = default;

void GroupAssignmentDialog::Fill() {
    m_ui->targetLabel->setText(ToQt(m_assignment.TargetCaption()));
    m_ui->overseerLabel->setText(ToQt(m_assignment.TargetOverseerText()));
    m_ui->memberList->clear();
    for (const std::string& name : m_assignment.Members())
        m_ui->memberList->addItem(ToQt(name));
    const int row = std::max(m_ui->candidateList->currentRow(), 0);
    m_shown.clear();
    const std::string filter = ToUtf8(m_ui->searchEdit->text());
    for (auto& candidate : m_assignment.Candidates())
        if (MatchesFilter(candidate.text, filter))
            m_shown.push_back(std::move(candidate));
    m_ui->candidateList->clear();
    for (const auto& candidate : m_shown)
        m_ui->candidateList->addItem(ToQt(candidate.text));
    m_ui->candidateList->setCurrentRow(m_shown.empty() ? -1 : std::min(row, static_cast<int>(m_shown.size()) - 1));
    m_ui->assignButton->setEnabled(!m_shown.empty());
}

void GroupAssignmentDialog::OnAssign() {
    const int row = m_ui->candidateList->currentRow();
    if (row < 0 || row >= static_cast<int>(m_shown.size()))
        return;
    if (const Status assigned = m_assignment.Assign(m_shown[static_cast<std::size_t>(row)].id); !assigned)
        m_context.prompter.Message(assigned.message(), Severity::Warning);
    Fill();
}

void GroupAssignmentDialog::Run(QWidget* parent, RegistryContext& context, int g) {
    GroupAssignmentDialog dialog(context, g, parent);
    dialog.exec();
}

} // namespace vardo
