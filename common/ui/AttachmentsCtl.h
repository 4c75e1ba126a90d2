#pragma once

#include "common/ui/EditEnabledControl.h"

#include <QString>
#include <QWidget>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The files attached to one record: a folder of its own per record, listed
// with name, size, type and time. Files are copied in (Attach), copied out
// (Save As), opened with the desktop's program (View), deleted (Remove) and
// renamed in place. The host tags the control "E": in view mode only Save As
// and View work, in edit mode everything. Until Init names the record's
// folder the control shows an empty list. Names are the files' own, letter
// case included; a name that would not be one plain file of the folder is
// refused, and nothing the folder holds is replaced without the question.
class AttachmentsCtl : public QWidget, public EditEnabledControl {
public:
    explicit AttachmentsCtl(QWidget* parent = nullptr);

    bool Enabled() const { return m_enabled; }
    // Edit mode of the host (set by LockControls); runs SetUI.
    void SetEditEnabled(bool enabled) override;
    // Buttons and list by mode and selection.
    void SetUI();
    // Binds the control to the record's folder and lists it.
    bool Init(const QString& Folder);
    const QString& Folder() const { return m_folder; }
    // Makes the attachments folder and the record's folder when missing.
    bool CheckCreateDir();
    // Lists the folder, each file under its name as stored; the selection
    // ends on the last attached file, else the one selected before, else
    // the first.
    void LoadLV();
    bool AttachmentExists(const QString& FileName) const;

    // Commands.
    void cmdAttach_Click();
    void cmdSaveAs_Click();
    void cmdView_Click();
    void cmdRemove_Click();
    // The in-place rename of the selected file, after the question; false
    // (the row keeps the file's name) when refused or failed.
    bool RenameSelected(const QString& newName);

    QPushButton* cmdSaveAs = nullptr;
    QPushButton* cmdView = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdAttach = nullptr;
    QTreeWidget* lv = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The stored name of the selected file ("" when none).
    QString selectedName() const;
    void itemRenamed(QTreeWidgetItem* item, int column);
    void sizeColumns();

    bool m_enabled = false;
    bool m_loading = false;
    QString m_folder;
    QString m_lastAttached;
};
