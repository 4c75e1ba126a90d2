#include "common/ui/frmProgress.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmProgress::frmProgress(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Progress"));
    lblMsg = new QLabel(QStringLiteral("Label1"), this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setWordWrap(true);
    pbar = new QProgressBar(this);
    pbar->setObjectName(QStringLiteral("pbar"));
    pbar->setRange(0, 100);
    pbar->setValue(0);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdCancel, &QPushButton::clicked, this, &frmProgress::cmdCancel_Click);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMsg);
    layout->addWidget(pbar);
    layout->addWidget(cmdCancel, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
}

void frmProgress::Display()
{
    m_bCancel = false;
    setModal(false);
    show();
    raise();
}

bool frmProgress::report(int percent)
{
    // Work that reports after every row moves the bar a hundred times at
    // the most; the rows between are not worth serving the event loop for.
    const bool inRange = percent >= 0 && percent <= 100;
    const bool moved = inRange && percent != pbar->value();
    if (inRange)
        pbar->setValue(percent);
    if (moved || !inRange)
        m_pacer.yieldNow();
    else
        m_pacer.yieldIfDue();
    return !m_bCancel;
}

void frmProgress::setMessage(const QString& message)
{
    lblMsg->setText(message);
    lblMsg->repaint();
}

void frmProgress::cmdCancel_Click() { m_bCancel = true; }

// The window stays up until its caller removes it: Escape and the title bar's
// close button only ask to stop, like Cancel, and only when Cancel is offered.
void frmProgress::closeEvent(QCloseEvent* event)
{
    if (!cmdCancel->isHidden())
        m_bCancel = true;
    event->ignore();
}

void frmProgress::reject()
{
    if (!cmdCancel->isHidden())
        m_bCancel = true;
}
