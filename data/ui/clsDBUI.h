#pragma once

#include <QString>

class QComboBox;
class QListWidget;
class QTreeWidget;

// The list fills of the database object, with their given names. The rows
// come from clsDB (listRows, comboRows, userRows), which links no widgets;
// these members put them into the controls, following the conventions of
// clsSystemUI: list view rows keyed "N" and the identifier, combo entries
// carrying the identifier as item data. A table that can't be opened leaves
// the control as it was.
class clsDBUI {
public:
    static clsDBUI& instance();

    // Adds the rows (all for a type below 1, else those of the category
    // type) in the order of the tag named like `textField`, after clearing
    // when `clear`; the row selected before (same key) is selected again and
    // scrolled into view. Painting is held during the fill.
    void LoadLV(QTreeWidget* lv, const QString& path, const QString& idField, const QString& textField,
                qint32 type, bool clear) const;
    // Adds the rows whose `filterField` holds `filterValue`, after clearing
    // when `clear` and a blank entry (item data -1) when `blank`; then
    // selects the entry of `selectId` when above 0 and present.
    void LoadCbo(QComboBox* cbo, const QString& path, const QString& idField, const QString& textField,
                 const QString& filterField, qint32 filterValue, bool clear, bool blank, qint32 selectId) const;
    // Adds the users (or the active ones) in login order, after clearing
    // when `clearFirst`; no blank entry.
    void LoadCbo_Users(QComboBox* cbo, bool activeOnly, bool clearFirst) const;

    // A report column picker: clears the list, then adds the catalogue's
    // columns of the report type and purpose (exact letter case) in catalogue
    // order, each with its column identifier as item data. A catalogue that
    // can't be opened leaves the list empty.
    void LBLoadRptColumns(QListWidget* list, const QString& reportType, const QString& purpose) const;

private:
    clsDBUI() = default;
};

inline clsDBUI& DBUI() { return clsDBUI::instance(); }
