#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <QDialog>

#include "core/registry/EmergencyContact.h"

namespace Ui {
class EmergencyContactDialog;
}

namespace vardo {

/// Dialog "Dodatkowy Kontakt Alarmowy" of one person: the contact shared with the family or other persons.
class EmergencyContactDialog : public QDialog {
    Q_OBJECT

public:
    EmergencyContactDialog(RegistryContext& context, const PublisherRecord& person, QWidget* parent = nullptr);
    ~EmergencyContactDialog() override;

    /// The person's contact key after OK, or nullopt on Cancel.
    static std::optional<std::uint16_t> Run(QWidget* parent, RegistryContext& context, const PublisherRecord& person);

    std::uint16_t Key() const { return m_presenter.Key(); }
    Ui::EmergencyContactDialog& Widgets() { return *m_ui; }

private:
    void Show();
    void TakeTexts();
    void OnLink();
    void OnClear();
    void OnOk();

    std::unique_ptr<Ui::EmergencyContactDialog> m_ui;
    RegistryContext& m_context;
    EmergencyContactPresenter m_presenter;
};

} // namespace vardo
