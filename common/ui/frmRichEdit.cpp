#include "common/ui/frmRichEdit.h"

#include "common/ui/clsSystemUI.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QFont previewFont()
{
    QFont font(QStringLiteral("Courier New"), 10);
    if (QFontInfo(font).family() != font.family()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(10);
    }
    return font;
}

} // namespace

frmRichEdit::frmRichEdit(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmRichEdit"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Preview"));
    RTB = new QTextEdit(this);
    RTB->setObjectName(QStringLiteral("RTB"));
    RTB->setAcceptRichText(false);
    BtnBar = new QWidget(this);
    BtnBar->setObjectName(QStringLiteral("BtnBar"));
    auto* label = new QLabel(QStringLiteral("What would you like to do?"), BtnBar);
    cmdPrint = button(BtnBar, QStringLiteral("cmdPrint"), QStringLiteral("&Print"));
    cmdSaveAs = button(BtnBar, QStringLiteral("cmdSaveAs"), QStringLiteral("Save As..."));
    cmdCopyToClipboard = button(BtnBar, QStringLiteral("cmdCopyToClipboard"), QStringLiteral("Copy to Clipboard"));
    CancelButton = button(BtnBar, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    auto* bar = new QHBoxLayout(BtnBar);
    bar->addWidget(label);
    bar->addStretch();
    for (QPushButton* b : {cmdPrint, cmdSaveAs, cmdCopyToClipboard, CancelButton})
        bar->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RTB, 1);
    layout->addWidget(BtnBar);

    connect(cmdPrint, &QPushButton::clicked, this, [this] { SysUI().RTBPrint_GetPrinter(RTB, windowTitle()); });
    connect(cmdSaveAs, &QPushButton::clicked, this, [this] { SysUI().SaveRTB_GetFileName(RTB); });
    connect(cmdCopyToClipboard, &QPushButton::clicked, this, &frmRichEdit::cmdCopyToClipboard_Click);
    connect(CancelButton, &QPushButton::clicked, this, &QWidget::close);
    resize(640, 480);
}

void frmRichEdit::Init(const QString& caption, const QString& text)
{
    RTB->clear();
    setWindowTitle(caption);
    RTB->setPlainText(text);
    RTB->document()->setDefaultFont(previewFont());
    RTB->setFont(previewFont());
}

void frmRichEdit::cmdCopyToClipboard_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(RTB->toPlainText());
}
