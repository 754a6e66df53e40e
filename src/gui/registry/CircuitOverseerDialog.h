#pragma once

#include <memory>

#include <QDialog>

#include "core/registry/CircuitOverseer.h"

namespace Ui {
class CircuitOverseerDialog;
}

class QLineEdit;

namespace vardo {

/// Dialog "Nadzorca obwodu": the circuit overseer's name, address, telephones and e-mail.
class CircuitOverseerDialog : public QDialog {
    Q_OBJECT

public:
    CircuitOverseerDialog(RegistryContext& context, QWidget* parent = nullptr);
    ~CircuitOverseerDialog() override;

    /// True when OK was pressed and whatever it stored was stored.
    static bool Run(QWidget* parent, RegistryContext& context);

    Ui::CircuitOverseerDialog& Widgets() { return *m_ui; }

private:
    QLineEdit* Edit(OverseerField field) const;
    void OnOk();

    std::unique_ptr<Ui::CircuitOverseerDialog> m_ui;
    RegistryContext& m_context;
    CircuitOverseerPresenter m_presenter;
};

} // namespace vardo
