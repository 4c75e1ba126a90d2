#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;
class QTabWidget;

// The e-mail options: which way messages go to the user's mail program
// (handler 1, the desktop's mail program; handler 2, a mailto: link). Both
// choices start off; LoadData marks the stored one. OK and Apply store the
// marked choice (nothing when none is marked); OK and Cancel close.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);

    void InitControls();
    void LoadData();
    void SaveData();

    QTabWidget* tabs = nullptr;
    QRadioButton* optEmail[2] = {nullptr, nullptr};
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* cmdApply = nullptr;
};
