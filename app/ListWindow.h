#pragma once

#include <QWidget>

#include <array>

class QAbstractItemModel;
class QLabel;
class QPushButton;
class QTreeView;

// A list view for a list window over `model` (which it takes as a child):
// report view, whole rows selected one at a time, not editable, headings
// clickable. Named "lv".
QTreeView* makeListView(QWidget* parent, QAbstractItemModel* model);

// The frame of a list window (the customer list, the issue list, My
// Issues): its list above a bar of Refresh, Properties, Print and Cancel,
// the sorting hint and the count of rows found, and the commands those
// share. Properties (also a double click or Enter in the list) opens the
// selected row, Print prints the list under the window's caption, Refresh
// reloads it, Cancel (also Escape) closes the window. While the window
// fills its list, Refresh, Properties, Print and sorting are refused.
//
// A window makes its list, then calls buildFrame; it gives its fill, its
// reload, what opening a row means and its columns' widths.
class ListWindow : public QWidget {
    Q_OBJECT
public:
    enum class Command { Refresh, Properties, Print, Cancel };
    using CommandOrder = std::array<Command, 4>;

    // True while the window fills its list.
    virtual bool filling() const = 0;
    // Properties only with a row selected and no fill running.
    virtual void SetUI();

    void cmdRefresh_Click();
    void cmdProperties_Click();
    void cmdPrint_Click();
    void CancelButton_Click();

    QTreeView* lv = nullptr;
    QWidget* BtnBar = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdProperties = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* CancelButton = nullptr;
    QLabel* lblMsg = nullptr;
    QLabel* lblCust = nullptr;

protected:
    explicit ListWindow(QWidget* parent = nullptr);

    // Lays out `top` (if any), `list` and under them the button bar with
    // the buttons in `order`; Tab goes from the list along the buttons.
    // Wires the commands, the selection, the headings and the keys.
    void buildFrame(QTreeView* list, const CommandOrder& order, QWidget* top = nullptr);
    // Refresh, Properties and Print, around a fill.
    void setCommandsEnabled(bool enabled);

    // The window's parts of Refresh and Properties, run when no fill runs.
    virtual void reload() = 0;
    virtual void openSelected() = 0;
    // A heading was clicked: sorts by its column unless a fill runs.
    virtual void sortByColumn(int column);
    // Sets the columns' widths to the window's width.
    virtual void Form_Resize() = 0;

    void resizeEvent(QResizeEvent* event) override;
};
