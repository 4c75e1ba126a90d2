#include "common/ui/frmCalendar.h"

#include "common/Clock.h"
#include "common/clsSystem.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString formatDate(const QDate& date, QLocale::FormatType type)
{
    return QLocale().toString(date, Sys().displayDateFormat(type));
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

frmCalendar::frmCalendar(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("Calendar"));
    Cal = new QCalendarWidget(this);
    Cal->setObjectName(QStringLiteral("Cal"));
    Cal->setSelectedDate(Clock::today());
    // The month grid inside takes the focus; it is read by the window's name.
    if (auto* grid = Cal->findChild<QAbstractItemView*>())
        grid->setAccessibleName(QStringLiteral("Calendar"));
    lblCurrdate = new QLabel(QStringLiteral("Label1"), this);
    lblCurrdate->setObjectName(QStringLiteral("lblCurrdate"));
    lblCurrdate->setAlignment(Qt::AlignCenter);
    cmdToday = button(this, QStringLiteral("cmdToday"), QStringLiteral("Go to Today"));
    cmdToday->setToolTip(QStringLiteral("Goto today's date"));
    OKButton = button(this, QStringLiteral("OKButton"), QStringLiteral("&Enter Selected Date in Current Row"));
    OKButton->setDefault(true);
    CancelButton = button(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdToday);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Cal);
    layout->addWidget(lblCurrdate);
    layout->addLayout(buttons);
    setTabOrder(Cal, cmdToday);
    setTabOrder(cmdToday, OKButton);
    setTabOrder(OKButton, CancelButton);

    connect(Cal, &QCalendarWidget::selectionChanged, this, &frmCalendar::UpdateDateLabel);
    connect(Cal, &QCalendarWidget::clicked, this, &frmCalendar::UpdateDateLabel);
    connect(Cal, &QCalendarWidget::activated, this, &frmCalendar::accept);
    connect(cmdToday, &QPushButton::clicked, this, &frmCalendar::cmdToday_Click);
    connect(OKButton, &QPushButton::clicked, this, &frmCalendar::accept);
    connect(CancelButton, &QPushButton::clicked, this, &frmCalendar::reject);

    // The calendar's day table is a child view; its presses reach the filter
    // through the viewport.
    for (QWidget* child : Cal->findChildren<QWidget*>())
        child->installEventFilter(this);
    for (QPushButton* b : {cmdToday, OKButton, CancelButton})
        b->installEventFilter(this);
    UpdateDateLabel();
}

void frmCalendar::Init(const QString& dateText, const QString& okCaption)
{
    m_bOK = false;
    OKButton->setText(okCaption);
    const QDate date = dateText.isEmpty() ? QDate() : Sys().readDate(dateText);
    Cal->setSelectedDate(date.isValid() ? date : Clock::today());
    UpdateDateLabel();
}

void frmCalendar::UpdateDateLabel() { lblCurrdate->setText(formatDate(Cal->selectedDate(), QLocale::LongFormat)); }

bool frmCalendar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && !qobject_cast<QPushButton*>(watched)) {
        m_calendarPressed = true;
    } else if (event->type() == QEvent::MouseButtonRelease && m_calendarPressed) {
        // The calendar holds the mouse from its press on, so the release
        // arrives there even when it happens over a button.
        m_calendarPressed = false;
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        for (QPushButton* b : {cmdToday, OKButton, CancelButton}) {
            if (b->isVisible() && b->rect().contains(b->mapFromGlobal(at))) {
                b->click();
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmCalendar::cmdToday_Click()
{
    Cal->setSelectedDate(Clock::today());
    Cal->showToday();
    UpdateDateLabel();
}

void frmCalendar::accept()
{
    m_sDate = formatDate(Cal->selectedDate(), QLocale::ShortFormat);
    m_bOK = true;
    QDialog::accept();
}

void frmCalendar::reject()
{
    m_bOK = false;
    QDialog::reject();
}
