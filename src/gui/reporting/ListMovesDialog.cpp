#include "gui/reporting/ListMovesDialog.h"

#include <QEvent>

#include "core/platform/Strings.h"
#include "core/registry/PublisherChooser.h"
#include "gui/app/QtText.h"
#include "gui/registry/DeleteDialog.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "gui/reporting/MoveMonthDialog.h"
#include "ui_ListMovesDialog.h"

namespace vardo {

ListMovesDialog::ListMovesDialog(Kind kind, ReportingContext& reporting, RegistryContext& registry, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ListMovesDialog>()), m_kind(kind), m_registry(registry),
      m_askMonth(MoveMonthDialog::Asker(this)) {
    m_ui->setupUi(this);
    if (kind == Kind::Moved) {
        m_moved = std::make_unique<MovedListWindow>(reporting, registry);
        m_window = m_moved.get();
        setWindowTitle(ToQt(Str(StrId::MovedPersons)));
        m_ui->leftBox->setTitle(ToQt(m_moved->LeftTitle()));
        m_ui->rightBox->setTitle(ToQt(m_moved->RightTitle()));
    } else {
        m_inactive = std::make_unique<InactiveListWindow>(reporting, registry,
                                                          kind == Kind::Inactive ? InactiveListWindow::Mode::Inactive
                                                                                 : InactiveListWindow::Mode::Deleted);
        m_window = m_inactive.get();
        setWindowTitle(ToQt(m_inactive->Title()));
        m_ui->leftBox->setTitle(ToQt(m_inactive->LeftTitle()));
        m_ui->rightBox->setTitle(ToQt(m_inactive->RightTitle()));
        m_ui->rightBox->setVisible(m_inactive->RightVisible());
        m_ui->periodButton->setVisible(m_inactive->PeriodVisible());
    }
    m_ui->inactiveBox->setVisible(kind == Kind::Moved);

    for (ListSide side : {ListSide::Left, ListSide::Right}) {
        QTreeWidget* list = List(side);
        list->installEventFilter(this);
        connect(list, &QTreeWidget::currentItemChanged, this, [this, side, list](QTreeWidgetItem* item) {
            if (item == nullptr)
                return;
            m_window->Select(side, list->indexOfTopLevelItem(item));
            Activate(side);
        });
        // A click on a line makes its list the active one even when the line was already current.
        connect(list, &QTreeWidget::itemPressed, this, [this, side, list](QTreeWidgetItem* item) {
            m_window->Select(side, list->indexOfTopLevelItem(item));
            Activate(side);
        });
        connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { OnOk(); });
    }
    connect(m_ui->okButton, &QPushButton::clicked, this, &ListMovesDialog::OnOk);
    connect(m_ui->undoButton, &QPushButton::clicked, this, &ListMovesDialog::OnUndo);
    connect(m_ui->removeButton, &QPushButton::clicked, this, &ListMovesDialog::OnRemove);
    connect(m_ui->editButton, &QPushButton::clicked, this, &ListMovesDialog::OnEdit);
    connect(m_ui->periodButton, &QPushButton::clicked, this, &ListMovesDialog::OnPeriod);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->inactiveBox, &QCheckBox::toggled, this, [this](bool on) {
        if (m_moved) {
            m_moved->SetFromInactive(on);
            Fill();
            Activate(ListSide::Right);
        }
    });
    Fill();
    List(m_window->Active())->setFocus();
    ShowState();
}

ListMovesDialog::~ListMovesDialog() = default;

QTreeWidget* ListMovesDialog::List(ListSide side) const {
    return side == ListSide::Left ? m_ui->leftList : m_ui->rightList;
}

void ListMovesDialog::Fill() {
    for (ListSide side : {ListSide::Left, ListSide::Right}) {
        QTreeWidget* list = List(side);
        const QSignalBlocker block(list);
        list->clear();
        for (const ListWindowLine& line : m_window->Lines(side)) {
            const std::size_t tab = line.text.find('\t');
            auto* item = new QTreeWidgetItem(list);
            item->setText(0, ToQt(line.text.substr(0, tab)));
            if (tab != std::string::npos)
                item->setText(1, ToQt(line.text.substr(tab + 1)));
        }
        list->resizeColumnToContents(0);
        const int row = m_window->Selected(side);
        if (row >= 0)
            list->setCurrentItem(list->topLevelItem(row));
    }
    m_ui->periodButton->setText(ToQt(m_window->PeriodText()));
    ShowState();
}

void ListMovesDialog::ShowState() {
    const bool left = m_window->Active() == ListSide::Left;
    if (m_moved) {
        m_ui->okButton->setText(ToQt(m_moved->OkText()));
        m_ui->undoButton->setVisible(m_moved->UndoVisible());
        m_ui->removeButton->setVisible(false);
        m_ui->editButton->setVisible(false);
    } else {
        m_ui->okButton->setText(ToQt(m_inactive->OkText()));
        m_ui->undoButton->setVisible(false);
        m_ui->removeButton->setVisible(left);
        m_ui->editButton->setVisible(left);
    }
    const bool selected = m_window->SelectedRecord() != 0;
    for (QPushButton* button : {m_ui->okButton, m_ui->undoButton, m_ui->removeButton, m_ui->editButton})
        button->setEnabled(selected);
}

void ListMovesDialog::Activate(ListSide side) {
    if (side == ListSide::Right && !m_ui->rightBox->isVisibleTo(this))
        return;
    m_window->Activate(side);
    ShowState();
}

bool ListMovesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_ui->leftList)
            Activate(ListSide::Left);
        else if (watched == m_ui->rightList)
            Activate(ListSide::Right);
    }
    return QDialog::eventFilter(watched, event);
}

void ListMovesDialog::Report(const Status& status) {
    if (status.ok())
        m_changed = true;
    else if (!status.cancelled())
        m_registry.prompter.Message(status.message(), Severity::Warning);
    Fill();
    List(m_window->Active())->setFocus();
}

void ListMovesDialog::OnOk() {
    if (m_window->SelectedRecord() == 0)
        return;
    Report(m_moved ? m_moved->Ok(m_askMonth) : m_inactive->Ok(m_askMonth));
}

void ListMovesDialog::OnUndo() {
    if (m_moved && m_moved->UndoVisible() && m_window->SelectedRecord() != 0)
        Report(m_moved->Undo(m_askMonth));
}

void ListMovesDialog::OnRemove() {
    if (!m_inactive || m_window->Active() != ListSide::Left || m_window->SelectedRecord() == 0)
        return;
    if (m_kind == Kind::Deleted) {
        Report(m_inactive->RemovePermanently());
        return;
    }
    const auto choice = DeleteDialog::Run(this, m_registry.month, m_window->SelectedName());
    if (choice)
        Report(m_inactive->Remove(*choice));
}

void ListMovesDialog::OnEdit() {
    const RecordNumber record = m_window->SelectedRecord();
    if (!m_inactive || m_window->Active() != ListSide::Left || record == 0)
        return;
    PublisherChooser chooser(m_registry, PublisherChooser::Mode::Edit,
                             m_kind == Kind::Deleted ? PublisherCategory::Deleted : PublisherCategory::Inactive);
    const int position = chooser.PositionOfId(m_registry.database.Record(record).Id());
    if (position < 0)
        return;
    chooser.Select(position);
    if (PublisherEditorDialog::Run(this, m_registry, chooser, position, WithSafetyDialogs({})))
        m_changed = true;
    m_window->Refill();
    Fill();
}

void ListMovesDialog::OnPeriod() {
    m_window->NextPeriod();
    Fill();
}

bool ListMovesDialog::Run(QWidget* parent, Kind kind, ReportingContext& reporting, RegistryContext& registry) {
    ListMovesDialog dialog(kind, reporting, registry, parent);
    dialog.exec();
    return dialog.Changed();
}

} // namespace vardo
