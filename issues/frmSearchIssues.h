#pragma once

#include "app/WindowInterfaces.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The issue search dialog: the words, any or all of them, one
// product/service or all, and which texts to search. Remembers the last
// accepted search per user (six settings) and opens with it.
class frmSearchIssues : public QDialog, public SearchIssuesDialog {
    Q_OBJECT
public:
    explicit frmSearchIssues(QWidget* parent = nullptr);

    // Blank words, "ANY of these Words", "All Products/Services", no box ticked.
    void Reset();

    bool OKPressed() const override { return m_okPressed; }
    QString SearchText() const override { return m_searchStr; }
    int SearchType() const override { return m_searchType; }
    qint32 PSID() const override { return m_psid; }
    bool SearchShortDesc() const override { return m_searchShortDesc; }
    bool SearchDescription() const override { return m_searchDesc; }
    bool SearchResolution() const override { return m_searchResolution; }

    void OKButton_Click();
    void CancelButton_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* txtSearch = nullptr;
    QPushButton* cmdClear = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblMsg = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* cboType = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    std::array<QCheckBox*, 3> ckSearchWhat{};
    QLabel* Label8 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cboPS = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* cmdReset = nullptr;

private:
    void buildControls();
    void Form_Load();

    bool m_okPressed = false;
    QString m_searchStr;
    int m_searchType = 1;
    qint32 m_psid = -1;
    bool m_searchShortDesc = false;
    bool m_searchDesc = false;
    bool m_searchResolution = false;
};
