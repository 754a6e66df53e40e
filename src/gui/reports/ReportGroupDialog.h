#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

namespace Ui {
class ReportGroupDialog;
}

namespace vardo {

/// What the group chooser of a group report returned.
struct ReportGroupChoice {
    enum class Action { Show, PrintAll, PrintSelected };
    Action action = Action::Show;
    /// The group chosen (1..N).
    int group = 0;
    /// The number of defined groups.
    int groupCount = 0;
};

/// Dialog "Wybierz Grupę Służby Polowej": picks the field-service group of a group report. With print
/// buttons and more than one group it also offers "Drukuj 1 - N" (every group) and "Drukuj # g" (the
/// selected group), both printed without further questions.
class ReportGroupDialog : public QDialog {
    Q_OBJECT

public:
    /// `groupNames` are the names of groups 1..N; `current` (1..N) starts selected.
    ReportGroupDialog(std::vector<std::string> groupNames, int current, bool printButtons, QWidget* parent = nullptr);
    ~ReportGroupDialog() override;

    /// The choice, or nullopt on Cancel.
    static std::optional<ReportGroupChoice> Run(QWidget* parent, std::vector<std::string> groupNames, int current,
                                                bool printButtons);

    /// The choice made so far (the selected group; the button that closed the dialog).
    ReportGroupChoice Choice() const { return m_choice; }

private:
    void Select(int row);
    void Finish(ReportGroupChoice::Action action);

    std::unique_ptr<Ui::ReportGroupDialog> m_ui;
    ReportGroupChoice m_choice;
};

} // namespace vardo
