#include "common/ui/frmFind.h"

#include "common/ui/FindTarget.h"
#include "common/ui/WindowRegistry.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

frmFind& frmFind::instance()
{
    static QPointer<frmFind> window;
    if (!window)
        window = new frmFind(WindowRegistry::current().mainForm());
    return *window;
}

frmFind::frmFind(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    textFind = new QLineEdit(this);
    textFind->setObjectName(QStringLiteral("textFind"));
    label->setBuddy(textFind);

    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    optUp = new QRadioButton(QStringLiteral("&Up"), direction);
    optUp->setObjectName(QStringLiteral("optUp"));
    optDown = new QRadioButton(QStringLiteral("&Down"), direction);
    optDown->setObjectName(QStringLiteral("optDown"));
    optDown->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(optUp);
    directionLayout->addWidget(optDown);

    ckWholeWordOnly = new QCheckBox(QStringLiteral("Match &whole phrase only"), this);
    ckWholeWordOnly->setObjectName(QStringLiteral("ckWholeWordOnly"));
    ckMatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    ckMatchCase->setObjectName(QStringLiteral("ckMatchCase"));

    OKButton = new QPushButton(QStringLiteral("&Find Next"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->setEnabled(false);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* grid = new QGridLayout;
    grid->addWidget(label, 0, 0);
    grid->addWidget(textFind, 0, 1, 1, 2);
    grid->addWidget(ckWholeWordOnly, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2, 2, 1);
    grid->addWidget(ckMatchCase, 2, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    setTabOrder(textFind, ckWholeWordOnly);
    setTabOrder(ckWholeWordOnly, ckMatchCase);
    setTabOrder(ckMatchCase, optUp);
    setTabOrder(optUp, optDown);
    setTabOrder(optDown, OKButton);
    setTabOrder(OKButton, CancelButton);

    connect(textFind, &QLineEdit::textChanged, this, &frmFind::textFind_Change);
    connect(OKButton, &QPushButton::clicked, this, &frmFind::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::hide);
}

void frmFind::setOwner(QWidget* owner)
{
    if (m_owner)
        m_owner->removeEventFilter(this);
    m_target = dynamic_cast<FindTarget*>(owner);
    m_owner = m_target ? owner : nullptr;
    if (m_owner)
        m_owner->installEventFilter(this);
}

bool frmFind::eventFilter(QObject* watched, QEvent* event)
{
    // A close may still be refused; whether the owner went is clear once
    // the close event has been handled.
    if (watched == m_owner && event->type() == QEvent::Close) {
        QTimer::singleShot(0, this, [this, closing = QPointer<QWidget>(m_owner)] {
            if (closing && closing == m_owner && closing->isHidden())
                setOwner(nullptr);
        });
    }
    return QDialog::eventFilter(watched, event);
}

void frmFind::textFind_Change() { OKButton->setEnabled(!textFind->text().isEmpty()); }

void frmFind::OKButton_Click()
{
    // The QPointer drops a destroyed owner; the target pointer is only
    // trusted while it does not.
    if (!m_owner || !m_target)
        return;
    bool upwards = optUp->isChecked();
    m_target->Find(textFind->text(), ckWholeWordOnly->isChecked(), ckMatchCase->isChecked(), upwards);
}
