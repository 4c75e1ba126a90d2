#include "app/frmOptions.h"

#include "app/SaveButtons.h"
#include "app/frmMain.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmOptions::frmOptions(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    auto* page = new QWidget;
    auto* frame = new QGroupBox(page);
    auto* group = new QButtonGroup(this);
    const QString captions[] = {
        QStringLiteral("Use the desktop's mail program to send email messages. The message opens there for you to "
                       "check and send."),
        QStringLiteral("Use a mailto: link to send email messages. The desktop opens the link in its default mail "
                       "program."),
    };
    auto* frameLayout = new QVBoxLayout(frame);
    for (int i = 0; i < 2; ++i) {
        optEmail[i] = new QRadioButton(captions[i], frame);
        optEmail[i]->setObjectName(QStringLiteral("optEmail_%1").arg(i));
        group->addButton(optEmail[i], i);
        frameLayout->addWidget(optEmail[i]);
    }
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(frame);
    pageLayout->addStretch();
    tabs->addTab(page, QStringLiteral("Email"));

    const SaveButtons saveButtons = makeSaveButtons(this, [this] { SaveData(); });
    OKButton = saveButtons.ok;
    CancelButton = saveButtons.cancel;
    cmdApply = saveButtons.apply;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(saveButtons.row);
    setTabOrder(optEmail[0], optEmail[1]);
    setTabOrder(optEmail[1], OKButton);
    setTabOrder(OKButton, CancelButton);
    setTabOrder(CancelButton, cmdApply);

    InitControls();
    LoadData();
}

void frmOptions::InitControls()
{
    // A radio button of an exclusive group cannot be switched off alone.
    QButtonGroup* group = optEmail[0]->group();
    group->setExclusive(false);
    for (QRadioButton* option : optEmail)
        option->setChecked(false);
    group->setExclusive(true);
}

void frmOptions::LoadData()
{
    const WaitCursor busy;
    const qint32 handler = frmMain::GetEmailHandler();
    if (handler == 1 || handler == 2)
        optEmail[handler - 1]->setChecked(true);
}

void frmOptions::SaveData()
{
    const WaitCursor busy;
    if (optEmail[0]->isChecked())
        (void)frmMain::SetEmailHandler(1);
    else if (optEmail[1]->isChecked())
        (void)frmMain::SetEmailHandler(2);
}
