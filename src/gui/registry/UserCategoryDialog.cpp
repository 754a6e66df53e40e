#include "gui/registry/UserCategoryDialog.h"

#include "gui/app/QtText.h"
#include "ui_UserCategoryDialog.h"
#include "ui_UserCategoryMarksDialog.h"

namespace vardo {

UserCategoryMarksDialog::UserCategoryMarksDialog(const UserCategoryPresenter& presenter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::UserCategoryMarksDialog>()) {
    m_ui->setupUi(this);
    m_ui->questionLabel->setText(ToQt(presenter.MarksQuestion()));
    m_ui->keepRadio->setText(ToQt(presenter.KeepMarksText()));
    m_ui->clearRadio->setText(ToQt(UserCategoryPresenter::ClearMarksText()));
    m_ui->keepRadio->setChecked(true);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

UserCategoryMarksDialog::~UserCategoryMarksDialog() = default;

UserCategoryPresenter::Marks UserCategoryMarksDialog::Choice() const {
    return m_ui->clearRadio->isChecked() ? UserCategoryPresenter::Marks::Clear : UserCategoryPresenter::Marks::Keep;
}

UserCategoryDialog::UserCategoryDialog(RegistryContext& context, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::UserCategoryDialog>()), m_presenter(context) {
    m_ui->setupUi(this);
    m_ui->nameEdit->setMaxLength(UserCategoryPresenter::kNameMax);
    m_ui->nameEdit->setText(ToQt(m_presenter.name));
    m_ui->enabledBox->setChecked(m_presenter.enabled);
    connect(m_ui->okButton, &QPushButton::clicked, this, &UserCategoryDialog::OnOk);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

UserCategoryDialog::~UserCategoryDialog() = default;

void UserCategoryDialog::OnOk() {
    m_presenter.name = ToUtf8(m_ui->nameEdit->text());
    m_presenter.enabled = m_ui->enabledBox->isChecked();
    std::optional<UserCategoryPresenter::Marks> marks;
    if (m_presenter.NeedsMarksChoice()) {
        UserCategoryMarksDialog second(m_presenter, this);
        if (second.exec() == QDialog::Accepted)
            marks = second.Choice();
    }
    m_presenter.Store(marks);
    accept();
}

void UserCategoryDialog::Run(QWidget* parent, RegistryContext& context) {
    UserCategoryDialog dialog(context, parent);
    dialog.exec();
}

} // namespace vardo
