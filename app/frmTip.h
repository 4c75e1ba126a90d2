#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

// The tip of the day: one line of TIPOFDAY.TXT in the program folder,
// picked at random, with a button for another pick and the box that
// switches the start-up tip on or off (the preference "TipsShowAtStartup":
// 0 show, 1 do not; written as soon as the box changes). Modeless; each
// window reads the file afresh. The file is text in Windows-1252, one tip per
// line, empty lines included.
class frmTip : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTipsFile = "TIPOFDAY.TXT";

    explicit frmTip(QWidget* parent = nullptr);

    // Reads every line of the file into Tips and shows a random one; false,
    // reading nothing, for an empty name or a missing file.
    bool LoadTips(const QString& fileName);
    // Shows tip CurrentTip (1-based) when there are tips; else nothing.
    void DisplayCurrentTip();

    QStringList Tips;
    int CurrentTip = 0;

    QLabel* lblTipText = nullptr;
    QCheckBox* chkLoadTipsAtStartup = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    void DoNextTip();
    void chkLoadTipsAtStartup_Click();
};
