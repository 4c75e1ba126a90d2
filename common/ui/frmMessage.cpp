#include "common/ui/frmMessage.h"

#include "common/Product.h"
#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/HelpContext.h"
#include "common/ui/clsSystemUI.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 32;

// No standard icon shows a lock, so it is drawn.
QPixmap lockPixmap()
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 3));
    p.drawArc(QRectF(9, 3, 14, 18), 0, 180 * 16);
    p.drawLine(QPointF(9, 12), QPointF(9, 15));
    p.drawLine(QPointF(23, 12), QPointF(23, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 150, 30));
    p.drawRoundedRect(QRectF(5, 14, 22, 16), 3, 3);
    return pixmap;
}

QLabel* iconLabel(QWidget* parent, const QString& name, const QPixmap& pixmap)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(pixmap);
    label->setFixedSize(kIconSize, kIconSize);
    label->hide();
    return label;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmMessage::frmMessage(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMessage"));
    setWindowTitle(Product::name());
    txtMsg = new QTextEdit(this);
    txtMsg->setObjectName(QStringLiteral("txtMsg"));
    txtMsg->setReadOnly(true);
    txtMsg->setFont(QFont(QStringLiteral("Courier New"), 10));
    txtMsg->setLineWrapMode(QTextEdit::WidgetWidth);
    buildIcons();
    buildButtons();
    resize(560, 320);
}

void frmMessage::buildIcons()
{
    QStyle* s = style();
    const auto standard = [s](QStyle::StandardPixmap which) { return s->standardIcon(which).pixmap(kIconSize); };
    ImageInfo = iconLabel(this, QStringLiteral("ImageInfo"), standard(QStyle::SP_MessageBoxInformation));
    imgWarn = iconLabel(this, QStringLiteral("imgWarn"), standard(QStyle::SP_MessageBoxWarning));
    imageCritical = iconLabel(this, QStringLiteral("imageCritical"), standard(QStyle::SP_MessageBoxCritical));
    imgLocked = iconLabel(this, QStringLiteral("imgLocked"), lockPixmap());
}

void frmMessage::buildButtons()
{
    cmdSaveAs = button(this, QStringLiteral("cmdSaveAs"), QStringLiteral("Save As..."));
    cmdPrint = button(this, QStringLiteral("cmdPrint"), QStringLiteral("&Print"));
    cmdEmail = button(this, QStringLiteral("cmdEmail"), QStringLiteral("&Email"));
    cmdClose = button(this, QStringLiteral("cmdClose"), QStringLiteral("OK"));
    cmdClose->setDefault(true);
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmMessage::cmdSaveAs_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmMessage::cmdPrint_Click);
    connect(cmdEmail, &QPushButton::clicked, this, &frmMessage::cmdEmail_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* icons = new QVBoxLayout;
    for (QLabel* l : {ImageInfo, imgWarn, imageCritical, imgLocked})
        icons->addWidget(l);
    icons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(icons);
    top->addWidget(txtMsg, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSaveAs);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdEmail);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
}

void frmMessage::Init(const QString& text, int icon, int helpContext)
{
    m_helpContext = helpContext < 1 ? 0 : helpContext;
    HelpContext::set(this, m_helpContext);
    // Texts break lines with CR LF or with a carriage return alone.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    txtMsg->setPlainText(shown);
    const QList<QLabel*> images{ImageInfo, imgWarn, imageCritical, imgLocked};
    for (QLabel* l : images)
        l->hide();
    if (icon >= 1 && icon <= 4)
        images.at(icon - 1)->show();
}

void frmMessage::cmdPrint_Click() { SysUI().RTBPrint_GetPrinter(txtMsg, Product::name()); }

void frmMessage::cmdSaveAs_Click() { SysUI().SaveRTB_GetFileName(txtMsg); }

void frmMessage::cmdEmail_Click() { Sys().EmailMsg(txtMsg->toPlainText()); }
