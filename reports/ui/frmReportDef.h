#pragma once

#include "app/RecordWindow.h"
#include "app/WindowInterfaces.h"

#include <QDialog>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// Picks display columns of one report type. OK needs a selection.
class frmRptDisplayColumns : public QDialog {
    Q_OBJECT
public:
    explicit frmRptDisplayColumns(QWidget* parent = nullptr);
    void Init(const QString& reportType);
    void OKButton_Click();

    bool OKPressed = false;
    QListWidget* lstRptCols = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    QString m_rptType;
};

// Builds one criterion: a column, IS or IS NOT, and a category value.
class frmRptFilterColumns : public QDialog {
    Q_OBJECT
public:
    explicit frmRptFilterColumns(QWidget* parent = nullptr);
    void Init(const QString& reportType);
    // Drops the column from the choice (a column takes one criterion).
    void RemoveColumn(qint32 colId);
    void OKButton_Click();

    qint32 SelColID = -1;
    QString SelOper;
    qint32 SelValueID = -1;
    QString SelColText;
    QString SelValueText;
    bool OKPressed = false;

    QLabel* Label1 = nullptr;
    QComboBox* cboCols = nullptr;
    QRadioButton* optOperIs = nullptr;
    QRadioButton* optOperIsNot = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cboValues = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void cboCols_Click();
    QString m_rptType;
};

// The definition of one saved report: title, type, the columns shown in
// their order, the criteria, page and row options, notes.
class frmReportDef : public RecordWindow<QWidget>, public ReportDefWindow {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1400;

    explicit frmReportDef(QWidget* parent = nullptr);

    QString RptType = QStringLiteral("C");
    void SetRptType(const QString& type) override { RptType = type; }

    void Init(qint32 RowID, bool EditMode) override;
    void InitControls() override;
    void LoadData() override;
    void SetUI() override;
    bool ValidateData() override;
    bool SaveData() override;
    QString FormContent() override { return QString(); }
    QString FormPrint() override;
    QString FormEmail() override { return QString(); }

    void SetTagVariant();
    void SetWindowCaption();
    void SetRptGroupColsAndFilters(const QString& text);
    QString FormRptDef() const;

    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();
    void cmdDelete_Click();
    void cmdDTStamp_Notes_Click();
    void cmdDisplayCols_Click();
    void cmdDelDispCol_Click();
    void cmdDispColUp_Click();
    void cmdDispColDown_Click();
    void cmdAddFilter_Click();
    void cmdDelFilter_Click();

    // Shows a picker modally; tests put their own hand in its place.
    std::function<void(QDialog&)> showPicker;

    QTabWidget* TabCtl = nullptr;
    QLabel* lblReportType = nullptr;
    QLineEdit* txtRptTitle = nullptr;
    QListWidget* lstColumns = nullptr;
    QListWidget* lstFilters = nullptr;
    QPushButton* cmdDisplayCols = nullptr;
    QPushButton* cmdDelDispCol = nullptr;
    QPushButton* cmdDispColUp = nullptr;
    QPushButton* cmdDispColDown = nullptr;
    QPushButton* cmdAddFilter = nullptr;
    QPushButton* cmdDelFilter = nullptr;
    QRadioButton* optPortrait = nullptr;
    QRadioButton* optLandscape = nullptr;
    QCheckBox* ckShowRowNum = nullptr;
    QCheckBox* ckGroupByFirstCol = nullptr;
    QPushButton* cmdDTStamp_Notes = nullptr;
    QPlainTextEdit* txtNote = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* cmdApplyButton = nullptr;
    QPushButton* cmdDeleteButton = nullptr;
    QPushButton* cmdRefreshButton = nullptr;

private:
    // Adds a criterion entry; the column, operator and value go with it, so
    // a save never reads them back from the shown text.
    void addFilterEntry(qint32 colId, const QString& oper, const QString& value, const QString& text);
    void notifyList();
};
