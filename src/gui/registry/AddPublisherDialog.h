#pragma once

#include <memory>
#include <optional>

#include <QDialog>

namespace Ui {
class AddPublisherDialog;
}

namespace vardo {

/// Dialog "Dodaj głosiciela": a person new to the register, or one from the interested or inactive list.
class AddPublisherDialog : public QDialog {
    Q_OBJECT

public:
    enum class Choice { NewPerson, FromInterested, FromInactive };

    /// The list buttons show when their list has persons, and are enabled when their move exists.
    AddPublisherDialog(bool hasInterested, bool hasInactive, bool canMoveInterested, bool canMoveInactive,
                       QWidget* parent = nullptr);
    ~AddPublisherDialog() override;

    static std::optional<Choice> Run(QWidget* parent, bool hasInterested, bool hasInactive, bool canMoveInterested,
                                     bool canMoveInactive);

    std::optional<Choice> Chosen() const { return m_choice; }
    Ui::AddPublisherDialog& Widgets() { return *m_ui; }

private:
    void Choose(Choice choice);

    std::unique_ptr<Ui::AddPublisherDialog> m_ui;
    std::optional<Choice> m_choice;
};

} // namespace vardo
