#pragma once

#include <memory>

#include <QDialog>

#include "core/reporting/ListWindows.h"

class QTreeWidget;

namespace Ui {
class ListMovesDialog;
}

namespace vardo {

/// The list windows: "Nieczynni" (inactive persons and the candidates for the list), "Usuniętych" (the same
/// window over the deleted persons) and "Przeprowadzeni" (moved persons and those who may move away).
class ListMovesDialog : public QDialog {
    Q_OBJECT

public:
    enum class Kind { Inactive, Deleted, Moved };

    ListMovesDialog(Kind kind, ReportingContext& reporting, RegistryContext& registry, QWidget* parent = nullptr);
    ~ListMovesDialog() override;

    /// Runs the window modally; true when anything was moved or removed.
    static bool Run(QWidget* parent, Kind kind, ReportingContext& reporting, RegistryContext& registry);

    /// The month dialog the moves ask (the dialog "Wybierz miesiąc" unless replaced, e.g. by a test).
    void SetMonthAsker(MonthAsker asker) { m_askMonth = std::move(asker); }
    TwoListWindow& Window() { return *m_window; }
    Ui::ListMovesDialog& Widgets() { return *m_ui; }
    bool Changed() const { return m_changed; }

    /// The buttons' actions (also reached through the buttons).
    void OnOk();
    void OnUndo();
    void OnRemove();
    void OnEdit();
    void OnPeriod();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();
    void ShowState();
    void Activate(ListSide side);
    void Report(const Status& status);
    QTreeWidget* List(ListSide side) const;

    std::unique_ptr<Ui::ListMovesDialog> m_ui;
    Kind m_kind;
    RegistryContext& m_registry;
    std::unique_ptr<InactiveListWindow> m_inactive;
    std::unique_ptr<MovedListWindow> m_moved;
    TwoListWindow* m_window = nullptr;
    MonthAsker m_askMonth;
    bool m_changed = false;
};

} // namespace vardo
