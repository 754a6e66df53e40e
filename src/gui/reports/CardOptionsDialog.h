#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "core/reports/CardOptionsPresenter.h"

namespace Ui {
class CardOptionsDialog;
}

namespace vardo {

/// Dialog 153 "Opcje - Zestawienie Sprawozdań Głosiciela": the record-card options over a
/// `CardOptionsPresenter`.
class CardOptionsDialog : public QDialog {
    Q_OBJECT

public:
    explicit CardOptionsDialog(const CardOptions& current, QWidget* parent = nullptr);
    ~CardOptionsDialog() override;

    /// The values accepted with OK, or nullopt on Cancel.
    static std::optional<CardOptionsPresenter> Run(QWidget* parent, const CardOptions& current);

    const CardOptionsPresenter& Presenter() const { return m_presenter; }

private:
    std::unique_ptr<Ui::CardOptionsDialog> m_ui;
    CardOptionsPresenter m_presenter;
};

} // namespace vardo
