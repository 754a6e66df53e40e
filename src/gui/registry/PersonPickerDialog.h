#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "core/registry/Family.h"

namespace Ui {
class PersonPickerDialog;
}

namespace vardo {

/// A list to pick one line from, with the find-as-you-type filter: the family-member picker, the stored
/// emergency contacts and the publisher chooser of the group editor.
class PersonPickerDialog : public QDialog {
    Q_OBJECT

public:
    /// `many`: several lines can be chosen (kept while the filter changes).
    PersonPickerDialog(const std::string& title, std::vector<PickerItem> items, const std::vector<std::string>& legend,
                       QWidget* parent = nullptr, bool many = false);
    ~PersonPickerDialog() override;

    /// The id of the line chosen, or nullopt on Cancel.
    static std::optional<PublisherId> Run(QWidget* parent, const std::string& title, std::vector<PickerItem> items,
                                          const std::vector<std::string>& legend = {});

    /// Several lines: the ids chosen in list order (possibly none), or nullopt on Cancel.
    static std::optional<std::vector<PublisherId>> RunMany(QWidget* parent, const std::string& title,
                                                           std::vector<PickerItem> items);

    std::optional<PublisherId> Chosen() const;
    std::vector<PublisherId> ChosenMany() const;
    Ui::PersonPickerDialog& Widgets() { return *m_ui; }

private:
    void Fill();

    std::unique_ptr<Ui::PersonPickerDialog> m_ui;
    std::vector<PickerItem> m_items;
    std::vector<PickerItem> m_shown;
    bool m_many = false;
    std::vector<PublisherId> m_chosen;
};

} // namespace vardo
