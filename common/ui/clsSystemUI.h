#pragma once

#include <QString>
#include <Qt>

class PrintSurface;
class QComboBox;
class QTableView;
class QTreeView;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTableWidget;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class frmProgress;

// The members of the shared utility object that work on windows and
// controls. clsSystem (common/) stays free of widgets; these live here, with
// the given names, reached as SysUI(). No state: each member works on the
// control or window handed to it.
//
// Conventions: a list view (QTreeWidget) row carries its key ("N" followed
// by the row identifier) in column 0 under kKeyRole; combo box and list box
// entries carry the row identifier as item data (Qt::UserRole), -1 standing
// for none or all. A grid is a QTableWidget whose headings are its header,
// so its data rows count from 0. Windows and controls carry tags (ObjectTag.h).
class clsSystemUI {
public:
    static clsSystemUI& instance();

    static constexpr int kKeyRole = Qt::UserRole + 1;
    // A grid column's display format, as header data of the column; a
    // column with one is saved as shown (DisplayRole), any other as stored
    // (EditRole).
    static constexpr int kColumnFormatRole = Qt::UserRole + 2;

    // --- List views -------------------------------------------------------
    // A new row at the end with its key and column texts.
    QTreeWidgetItem* lvAddItem(QTreeWidget* lv, const QString& key, const QStringList& texts) const;
    static QString lvItemKey(const QTreeWidgetItem* item);
    static void lvSetItemKey(QTreeWidgetItem* item, const QString& key);

    // "First selected" is the first in the list's order. Selecting makes the
    // row current and scrolls it into view.
    bool LvGetSelectedItem(QTreeWidget* lv, QTreeWidgetItem*& item) const;
    bool LvSelectFirstItem(QTreeWidget* lv) const;
    QString LvGetSelectedItemText(QTreeWidget* lv) const;
    QString LvGetSelectedItemKey(QTreeWidget* lv) const;
    bool LvIsItemSelected(QTreeWidget* lv) const;
    // First row whose key equals `key` exactly; False for "" or no match.
    bool LvSelectItem(QTreeWidget* lv, const QString& key) const;
    // First row whose text equals `text` ignoring case; False for "" or none.
    bool LvSelectItemByText(QTreeWidget* lv, const QString& text) const;
    // The column-click sort: sorting on, the order flipped at every click
    // (whatever column; the first click sorts descending), sorted by `column`.
    void LVSort(QTreeWidget* lv, int column) const;
    // The same over a list whose rows live in a model (QTreeView): each
    // top-level row's key is the data of its column 0 under kKeyRole. The
    // list keeps the sort state on itself; LVSort sorts through the model's
    // sort() (the view's own sorting stays off, so a click sorts once).
    bool LvSelectFirstItem(QTreeView* lv) const;
    QString LvGetSelectedItemKey(QTreeView* lv) const;
    bool LvIsItemSelected(QTreeView* lv) const;
    bool LvSelectItem(QTreeView* lv, const QString& key) const;
    void LVSort(QTreeView* lv, int column) const;
    // Sets the sort key and order that the next LVSort flips; once a column
    // click has turned sorting on, the rows are sorted by them at once (as a
    // list that sorts itself would be after a refill).
    void LvSetSortKey(QTreeView* lv, int column, Qt::SortOrder order) const;
    // Fills the list with the folder's entries: lower-case name, size in KB,
    // lower-case type name, local modification time; each row's key is the
    // file's name as stored.
    void LvGetFileList(QTreeWidget* lv, const QString& folder) const;

    // --- Combo boxes and list boxes ---------------------------------------
    qint32 cboGetItemID(const QComboBox* cbo) const;
    void cboSelectAtID(QComboBox* cbo, qint32 id) const;
    qint32 lbGetItemID(const QListWidget* lb) const;
    void lbSelectAtID(QListWidget* lb, qint32 id) const;
    void LBRemoveItemWithID(QListWidget* lb, qint32 id) const;
    // Removes from `b` every entry whose item data some entry of `a` carries.
    void LB2LBRemoveItems(const QListWidget* a, QListWidget* b) const;
    // Removes the selected entry; with none, "Please select a listbox item first!".
    void LBRemoveCurSelected(QListWidget* lb) const;
    // Swaps two entries (texts and data) and selects position 2; positions
    // outside the list change nothing.
    void LBSwapItems(QListWidget* lb, int pos1, int pos2) const;

    // --- Windows (WindowRegistry, exact tag match) -------------------------
    bool IsFormLoaded(const QString& tag) const;
    bool BringFormToTop(const QString& tag) const;
    bool GetFormWithTag(const QString& tag, QWidget*& form) const;
    // Closes every window whose tag differs from / equals `tag`; a window
    // that refuses to close is passed over.
    void UnloadAll(const QString& tag) const;
    void UnloadForm(const QString& tag) const;

    // --- Other controls ---------------------------------------------------
    // Locks (view mode) or unlocks (edit mode) the window's controls tagged
    // `tag`: text boxes and combo boxes turn read-only, list boxes and grids
    // disabled, all of these light yellow (#FFFFC0) when locked and white
    // when not; a tagged control with EditEnabledControl is told the mode
    // instead, and any other tagged control is disabled.
    void LockControls(QWidget* window, bool lock, const QString& tag) const;
    // Replaces the selection with `text`, or inserts it at the caret.
    void TxtCtlInsertStr(QLineEdit* txt, const QString& text) const;
    void TxtCtlInsertStr(QTextEdit* txt, const QString& text) const;
    void TxtCtlInsertStr(QPlainTextEdit* txt, const QString& text) const;
    // Focuses the control when it is visible.
    void CtlSetFocus(QWidget* ctl) const;
    // Ctrl+E: the key E with the Control modifier, whatever else is held.
    bool KeyPressedCtrlE(int keyCode, Qt::KeyboardModifiers modifiers) const;
    // Asks for a text (trimmed; "" when cancelled). With `numbersOnly`, an
    // answer that is no whole number in decimal digits (an optional sign,
    // within the range of a 32-bit Long, which is what the callers convert
    // to) brings "Please enter a numeric value!" and asks again.
    QString PromptInputString(const QString& title, const QString& prompt, const QString& defaultText,
                              bool numbersOnly) const;

    // --- Grids ------------------------------------------------------------
    // Searches from the row after the current one to the last (upwards: from
    // the row before it to the first), each row from column 0. `wholeCell`
    // compares blank-trimmed texts for equality, else looks for the text
    // inside the cell. The first match becomes the current cell, scrolled
    // into view: True. No match: False, the selection stays. Any table view
    // is searched through its model's shown texts (no current cell: from the
    // first row).
    bool GridFind(QTableView* grid, const QString& text, bool wholeCell, bool matchCase, bool upwards) const;
    // Selects the row at column 0 and scrolls it into view, when it exists.
    void GridSelectRow(QTableWidget* grid, int row) const;

    // --- Grids and lists as text ------------------------------------------
    // Asks for a .csv name and writes the range of the grid (through its
    // model; row 0 is the heading row, data row r is row r + 1, columns from
    // 0), one CR LF line a row, in Windows-1252: "TRUE"/"FALSE" as "Yes"/"No",
    // numbers bare, other text quoted with its quotes doubled. Offers to
    // open the file. A file that cannot be replaced is refused and left alone.
    void SaveGrid(QTableView* grid, int firstRow, int firstColumn, int lastRow, int lastColumn) const;
    void SaveGrid(QTableView* grid) const; // the whole grid, headings first
    // The top-level rows as fixed-width text: the headings, a rule of 80 "-",
    // one line a row, each column as wide as its share of 80 characters
    // (PadOrTruncate), every line ended by CR LF.
    QString LVContent(QTreeView* lv) const;
    // The text when it measures below `maxWidth` on the surface; else cut
    // until it does, less four more characters, and ".." appended.
    QString TrimTextToFit(const PrintSurface& surface, const QString& text, int maxWidth) const;

    // --- Printing ---------------------------------------------------------
    // The printer choice through the prompt service; the choice becomes the
    // current printer and its number of copies is handed back.
    bool SetPrinter(int& copies) const;
    // The printer choice, then the list printed once per copy (each its own
    // job) with 1000-twip margins, then "Document sent to the printer.".
    void ListViewPrint_GetPrinter(QTreeView* lv, const QString& title, bool unused = true) const;
    // The list's top-level rows as a paged table on the current printer (or
    // `surface`); margins in twips from the paper edge. False, after the
    // error was shown and the job aborted, when printing failed.
    bool ListViewPrint(QTreeView* lv, int left, int top, int right, int bottom, const QString& title) const;
    bool ListViewPrint(PrintSurface& surface, QTreeView* lv, int left, int top, int right, int bottom,
                       const QString& title) const;
    // The print options dialog, then the grid printed (printGrid) with the
    // title (and the date and time when asked) as the document name; with
    // "Selected row only" just the current row, or with `rowMarks` the rows
    // whose first cell is not empty. Every row keeps its hidden state.
    // `orientation` 1 portrait, 2 landscape, 0 the stored choice.
    void GridPrint(QTableView* grid, const QString& title, const QString& titleValueName, bool rowMarks,
                   int orientation) const;

    // --- Rich text --------------------------------------------------------
    // The printer choice, then the text printed once per copy with
    // 1000-twip margins, the title at the top of each page.
    void RTBPrint_GetPrinter(QTextEdit* rtb, const QString& title) const;
    // The text page by page on the current printer (or `surface`), each page
    // numbered from 1 and headed by the title when there is one.
    void RTBPrint(QTextEdit* rtb, int left, int top, int right, int bottom, const QString& title = QString()) const;
    void RTBPrint(PrintSurface& surface, QTextEdit* rtb, int left, int top, int right, int bottom,
                  const QString& title = QString()) const;
    // The save dialog proposing "Untitled " and the next document number,
    // then SaveRTB.
    void SaveRTB_GetFileName(QTextEdit* rtb) const;
    // By the name's last three letters: "RTF" rich text, "ODT" OpenDocument
    // Text, "DOC" rich text under the name ending in "RTF" (no word processor
    // here: the user is told so), anything else plain text. A file that cannot
    // be written is shown as an error and left as it was.
    void SaveRTB(QTextEdit* rtb, const QString& fileName) const;

    // --- Import preview ---------------------------------------------------
    // Fills `grid` with a new model previewing the import file: column "Row"
    // with the data line number, then one column for each heading (from
    // index 1 of `headings`) that a column definition stands for. Shows the
    // wait window with a bar (against `dataLines`) and Cancel; a cancel keeps
    // the rows read so far. True when it ran to its end or was cancelled.
    bool ImportLoadPreviewGrid(QTableView* grid, const QString& fileName, const QStringList& definedHeadings,
                               const QStringList& headings, qint32 dataLines) const;

    // --- Wait dialog ------------------------------------------------------
    // Busy pointer on, a new wait window over the main window handed back in
    // `window` (owned by the caller until WaitDlgRemove), shown modeless with
    // m_bCancel cleared and its message painted.
    void WaitDlgShow(frmProgress*& window, const QString& caption, const QString& message, bool showBar,
                     bool showCancel) const;
    // Sets the bar for 0 to 100; other values change nothing.
    void WaitDlgUpdate(frmProgress* window, int percent) const;
    // Destroys the window, sets `window` to null, busy pointer off.
    void WaitDlgRemove(frmProgress*& window) const;

private:
    clsSystemUI() = default;
};

inline clsSystemUI& SysUI() { return clsSystemUI::instance(); }
