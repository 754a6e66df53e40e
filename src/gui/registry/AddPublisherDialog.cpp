#include "gui/registry/AddPublisherDialog.h"

#include "ui_AddPublisherDialog.h"

namespace vardo {

AddPublisherDialog::AddPublisherDialog(bool hasInterested, bool hasInactive, bool canMoveInterested,
                                       bool canMoveInactive, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AddPublisherDialog>()) {
    m_ui->setupUi(this);
    m_ui->fromInterestedButton->setVisible(hasInterested);
    m_ui->fromInactiveButton->setVisible(hasInactive);
    m_ui->fromInterestedButton->setEnabled(canMoveInterested);
    m_ui->fromInactiveButton->setEnabled(canMoveInactive);
    connect(m_ui->newPersonButton, &QPushButton::clicked, this, [this] { Choose(Choice::NewPerson); });
    connect(m_ui->fromInterestedButton, &QPushButton::clicked, this, [this] { Choose(Choice::FromInterested); });
    connect(m_ui->fromInactiveButton, &QPushButton::clicked, this, [this] { Choose(Choice::FromInactive); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->newPersonButton->setFocus();
}

AddPublisherDialog::~AddPublisherDialog() = default;

void AddPublisherDialog::Choose(Choice choice) {
    m_choice = choice;
    accept();
}

std::optional<AddPublisherDialog::Choice> AddPublisherDialog::Run(QWidget* parent, bool hasInterested, bool hasInactive,
                                                                  bool canMoveInterested, bool canMoveInactive) {
    AddPublisherDialog dialog(hasInterested, hasInactive, canMoveInterested, canMoveInactive, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Chosen();
}

} // namespace vardo
