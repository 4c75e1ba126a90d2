#include "app/frmTip.h"

#include "common/ProgramEnv.h"
#include "common/clsSystem.h"
#include "common/mdlRegistry.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QVBoxLayout>

frmTip::frmTip(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTip"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Tip of the Day"));
    auto* heading = new QLabel(QStringLiteral("Did you know..."), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    lblTipText = new QLabel(this);
    lblTipText->setObjectName(QStringLiteral("lblTipText"));
    lblTipText->setWordWrap(true);
    lblTipText->setTextFormat(Qt::PlainText);
    lblTipText->setMinimumSize(360, 90);
    lblTipText->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Show Tips at Startup"), this);
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    cmdNextTip = new QPushButton(QStringLiteral("&Next Tip"), this);
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkLoadTipsAtStartup);
    buttons->addStretch();
    buttons->addWidget(cmdNextTip);
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(lblTipText, 1);
    layout->addLayout(buttons);

    chkLoadTipsAtStartup->setChecked(GetPrefLong(QStringLiteral("TipsShowAtStartup")) != 1);
    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, &frmTip::chkLoadTipsAtStartup_Click);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::DoNextTip);
    connect(cmdOK, &QPushButton::clicked, this, &frmTip::close);

    const QString file = QString::fromLatin1(kTipsFile);
    if (!LoadTips(Sys().MakePath(ProgramEnv::programFolder(), file)))
        lblTipText->setText(QStringLiteral("That the ") + file + QStringLiteral(" file was not found? ")
                            + Sys().CRLF(2) + QStringLiteral("Create a text file named ") + file
                            + QStringLiteral(" using NotePad with 1 tip per line. ")
                            + QStringLiteral("Then place it in the same directory as the application. "));
}

bool frmTip::LoadTips(const QString& fileName)
{
    QString content;
    if (fileName.isEmpty() || !Sys().FileExists(fileName) || !Sys().FileRead(content, fileName))
        return false;
    // Line by line as a text reader sees it: a last line break ends the last
    // line rather than starting an empty one.
    QStringList lines = content.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    Tips.append(lines);
    DoNextTip();
    return true;
}

void frmTip::DoNextTip()
{
    CurrentTip = Tips.isEmpty() ? 0 : int(QRandomGenerator::global()->bounded(qsizetype(Tips.size()))) + 1;
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (!Tips.isEmpty() && CurrentTip >= 1 && CurrentTip <= Tips.size())
        lblTipText->setText(Tips.at(CurrentTip - 1));
}

void frmTip::chkLoadTipsAtStartup_Click()
{
    SavePrefLong(QStringLiteral("TipsShowAtStartup"), chkLoadTipsAtStartup->isChecked() ? 0 : 1);
}
