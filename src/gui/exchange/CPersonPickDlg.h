#pragma once

#include <memory>

#include <QDialog>

#include "core/exchange/PersonPick.h"

class QRadioButton;

namespace Ui {
class CPersonPickDlg;
}

namespace vardo {

/// The pick list of the XML publisher lists: the list, its persons with check boxes, and in import mode the
/// choice for duplicates (" *").
class CPersonPickDlg : public QDialog {
    Q_OBJECT

public:
    CPersonPickDlg(PersonPick pick, QWidget* parent = nullptr);
    ~CPersonPickDlg() override;

    PersonPick& Presenter() { return m_pick; }

private:
    void ShowList();
    void ShowCounts();
    QRadioButton* RadioOf(PublistKind kind) const;

    std::unique_ptr<Ui::CPersonPickDlg> m_ui;
    PersonPick m_pick;
};

} // namespace vardo
