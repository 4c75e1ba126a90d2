#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

// The date picker. The caller makes one, calls Init, shows it modally
// through the prompt service (execDialog), reads m_bOK and, when True,
// m_sDate (the locale's short date with a four-digit year), and then deletes
// it. accept() is the OK button, reject() Cancel.
class frmCalendar : public QDialog {
    Q_OBJECT
public:
    explicit frmCalendar(QWidget* parent = nullptr);

    // Clears m_bOK, captions the OK button, and shows the date of `dateText`,
    // or today when it is empty or not a date.
    void Init(const QString& dateText, const QString& okCaption);
    // lblCurrdate shows the calendar's date in the locale's long format.
    void UpdateDateLabel();

    bool m_bOK = false;
    QString m_sDate;

    QCalendarWidget* Cal = nullptr;
    QLabel* lblCurrdate = nullptr;
    QPushButton* cmdToday = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

public slots:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdToday_Click();

    // A press inside the calendar whose release lands on one of the buttons
    // still counts as that button's click.
    bool m_calendarPressed = false;
};
