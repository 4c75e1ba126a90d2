#pragma once

#include "common/ui/EditEnabledControl.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

// The actions of one issue with their total duration, on the issue window's
// Actions tab. Add, Edit (View in view mode) and Delete work through the
// action dialog; the control only reads the actions table. The host tags it
// "E" so that its mode follows the window's, and calls Init once the issue
// is stored.
class IssueActionsCtl : public QWidget, public EditEnabledControl {
public:
    explicit IssueActionsCtl(QWidget* parent = nullptr);

    bool Enabled() const { return m_enabled; }
    // Edit mode of the host (set by LockControls); runs SetUI.
    void SetEditEnabled(bool enabled) override;
    void SetUI();
    // Binds the control to the issue and lists its actions.
    bool Init(qint32 IssueID);
    qint32 IssueID() const { return m_issueId; }
    // Refills the list and the total from the actions table.
    void LoadLV();
    // The actions as text for the issue's printed and mailed text.
    QString content();
    // The notes of every action, each headed by its date.
    QString NotesContent();

    // Commands.
    void cmdAdd_Click();
    void cmdEditView_Click();
    void cmdDel_Click();

    QTreeWidget* lv = nullptr;
    QPushButton* cmdEditView = nullptr;
    QPushButton* cmdDel = nullptr;
    QPushButton* cmdAdd = nullptr;
    QLabel* lblTotalDuration = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The action of the selected row; 0 when none is selected.
    qint32 selectedAction() const;
    // Runs the dialog on the action in the mode; true when it saved.
    bool runDialog(qint32 actionId, int mode, qint32* savedId = nullptr);
    // The columns' shares of `width` pixels.
    void sizeColumns(int width);

    bool m_enabled = false;
    // A fill yields to other events; a second fill or a dialog started
    // meanwhile is refused.
    bool m_loading = false;
    qint32 m_issueId = 0;
};
