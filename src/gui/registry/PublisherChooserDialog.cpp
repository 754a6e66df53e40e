#include "gui/registry/PublisherChooserDialog.h"

#include "gui/app/QtText.h"
#include "gui/registry/AddPublisherDialog.h"
#include "gui/registry/PublisherEditorDialog.h"
#include "ui_PublisherChooserDialog.h"

namespace vardo {

PublisherChooserDialog::PublisherChooserDialog(RegistryContext& context, PublisherChooser::Mode mode,
                                               PublisherCategory category, const RegistryHooks& hooks, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PublisherChooserDialog>()), m_context(context),
      m_chooser(context, mode, category), m_hooks(hooks) {
    m_ui->setupUi(this);
    m_ui->openButton->setText(ToQt(m_chooser.OpenButtonText()));
    m_ui->closeButton->setText(ToQt(m_chooser.CloseButtonText()));
    m_ui->addButton->setVisible(m_chooser.AddVisible());
    connect(m_ui->openButton, &QPushButton::clicked, this, &PublisherChooserDialog::OnOpen);
    connect(m_ui->addButton, &QPushButton::clicked, this, &PublisherChooserDialog::OnAdd);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->personList, &QListWidget::itemDoubleClicked, this, &PublisherChooserDialog::OnOpen);
    connect(m_ui->personList, &QListWidget::currentRowChanged, this, [this](int row) { m_chooser.Select(row); });
    Fill();
    m_ui->personList->setFocus();
}

PublisherChooserDialog::~PublisherChooserDialog() = default;

void PublisherChooserDialog::Fill() {
    const QSignalBlocker block(m_ui->personList);
    m_ui->personList->clear();
    for (const auto& name : m_chooser.Names())
        m_ui->personList->addItem(ToQt(name));
    m_ui->personList->setCurrentRow(m_chooser.Selection());
    if (m_chooser.GetMode() == PublisherChooser::Mode::Pick)
        m_ui->openButton->setEnabled(m_chooser.Count() > 0);
}

void PublisherChooserDialog::OpenEditor(std::optional<int> position) {
    if (PublisherEditorDialog::Run(this, m_context, m_chooser, position, m_hooks))
        m_changed = true;
    m_chooser.Refill();
    Fill();
}

void PublisherChooserDialog::OnOpen() {
    if (m_chooser.GetMode() == PublisherChooser::Mode::Pick) {
        if (m_chooser.Count() == 0)
            return;
        m_picked = m_chooser.IdAt(m_chooser.Selection());
        accept();
        return;
    }
    if (m_chooser.Count() == 0)
        OpenEditor(std::nullopt);
    else
        OpenEditor(m_chooser.Selection());
}

void PublisherChooserDialog::OnAdd() {
    if (m_chooser.AddNeedsChoice()) {
        const auto choice = AddPublisherDialog::Run(this, m_chooser.HasNonPublishers(), m_chooser.HasInactive(),
                                                    static_cast<bool>(m_hooks.addFromInterested),
                                                    static_cast<bool>(m_hooks.addFromInactive));
        if (!choice)
            return;
        if (*choice == AddPublisherDialog::Choice::FromInterested ||
            *choice == AddPublisherDialog::Choice::FromInactive) {
            const auto& move = *choice == AddPublisherDialog::Choice::FromInterested ? m_hooks.addFromInterested
                                                                                     : m_hooks.addFromInactive;
            if (move && move(this, m_context))
                m_changed = true;
            m_chooser.Refill();
            Fill();
            return;
        }
    }
    OpenEditor(std::nullopt);
}

bool PublisherChooserDialog::Edit(QWidget* parent, RegistryContext& context, const RegistryHooks& hooks) {
    PublisherChooserDialog dialog(context, PublisherChooser::Mode::Edit, PublisherCategory::Publisher, hooks, parent);
    dialog.exec();
    return dialog.Changed();
}

std::optional<PublisherId> PublisherChooserDialog::Pick(QWidget* parent, RegistryContext& context,
                                                        PublisherCategory category) {
    PublisherChooserDialog dialog(context, PublisherChooser::Mode::Pick, category, {}, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Picked();
}

} // namespace vardo
