#include "app/frmSplash.h"

#include "common/Product.h"
#include "common/clsSystem.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QVersionNumber>

frmSplash::frmSplash(QWidget* parent, int timerMillis)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(Product::name());
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->installEventFilter(this);
    auto* frameLayout = new QVBoxLayout(Frame1);
    Picture1 = addLabel("Picture1", QString());
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_DesktopIcon).pixmap(64, 64));
    frameLayout->addWidget(Picture1, 0, Qt::AlignHCenter);
    for (QLabel** label : {&lblProductName, &lblVersion, &lblPlatform, &lblCompany, &lblCopyright, &lblWebsite}) {
        *label = addLabel("", QString());
        frameLayout->addWidget(*label, 0, Qt::AlignHCenter);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    fillLabels();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(timerMillis);
    // A coarse timer may fire up to 5% early; the splash's time is a minimum.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

QLabel* frmSplash::addLabel(const char* name, const QString& text)
{
    auto* label = new QLabel(text, Frame1);
    label->setObjectName(QString::fromLatin1(name));
    label->installEventFilter(this);
    return label;
}

void frmSplash::fillLabels()
{
    const QVersionNumber version = QVersionNumber::fromString(Product::version());
    const struct {
        QLabel* label;
        const char* name;
        QString text;
    } labels[] = {
        {lblProductName, "lblProductName", Product::name()},
        {lblVersion, "lblVersion",
         QStringLiteral("%1.%2  Rev. %3").arg(version.majorVersion()).arg(version.minorVersion()).arg(version.microVersion())},
        {lblPlatform, "lblPlatform", QStringLiteral("for Linux")},
        {lblCompany, "lblCompany", Product::maker()},
        {lblCopyright, "lblCopyright", QStringLiteral("Copyright \u00A9 ") + Product::maker()},
        {lblWebsite, "lblWebsite", Sys().cTvWebsite()},
    };
    for (const auto& l : labels) {
        l.label->setObjectName(QString::fromLatin1(l.name));
        l.label->setText(l.text);
    }
    QFont big = lblProductName->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    lblProductName->setFont(big);
    lblWebsite->setCursor(Qt::PointingHandCursor);
}

void frmSplash::SmartUnload()
{
    if (!ShownAtStartup)
        accept();
}

void frmSplash::Timer1_Timer()
{
    if (!ShownAtStartup || TimerElapsed)
        return;
    TimerElapsed = true;
    emit timerElapsed();
}

void frmSplash::lblWebsite_Click()
{
    if (!ShownAtStartup)
        Sys().GotoTVWebsite();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(watched, event);
    if (watched == lblWebsite)
        lblWebsite_Click();
    else
        SmartUnload();
    return true;
}

void frmSplash::keyPressEvent(QKeyEvent* /*event*/) { SmartUnload(); }

// The start-up splash stays until the start-up removes it.
void frmSplash::closeEvent(QCloseEvent* event)
{
    if (ShownAtStartup)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void frmSplash::reject() { SmartUnload(); }
