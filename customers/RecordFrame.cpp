#include "customers/RecordFrame.h"

#include "customers/RecordControls.h"

#include "app/EditModeCtl.h"
#include "app/RecordWindow.h"
#include "app/frmMain.h"
#include "common/clsSystem.h"
#include "common/ui/TabChain.h"
#include "common/ui/WindowRegistry.h"
#include "common/ui/clsSystemUI.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace RecordFrame {

using RecordControls::button;
using RecordControls::editable;

ButtonBar makeButtonBar(RecordForm& form, QWidget* window, const QString& printTip, const QString& emailTip,
                        QWidget* tabs, QWidget* firstField, QWidget* lastField)
{
    ButtonBar b;
    b.bar = new QWidget(window);
    b.bar->setObjectName(QStringLiteral("BtnBar"));
    b.cmdPrint = button(b.bar, "cmdPrint", QStringLiteral("&Preview"), printTip);
    b.cmdEmail = button(b.bar, "cmdEmail", QStringLiteral("&Email"), emailTip);
    b.OKButton = editable(button(b.bar, "OKButton", QStringLiteral("OK")), "OKButton");
    b.CancelButton = button(b.bar, "CancelButton", QStringLiteral("Cancel"));
    b.cmdApply = editable(button(b.bar, "cmdApply", QStringLiteral("Apply")), "cmdApply");
    b.cmdDelete = editable(button(b.bar, "cmdDelete", QStringLiteral("&Delete")), "cmdDelete");
    b.cmdRefresh = button(b.bar, "cmdRefresh", QStringLiteral("R&efresh"));
    form.cmdRefresh = b.cmdRefresh;
    form.cmdDelete = b.cmdDelete;
    form.cmdOK = b.OKButton;
    form.cmdApply = b.cmdApply;

    auto* box = new QHBoxLayout(b.bar);
    box->setContentsMargins(6, 4, 6, 4);
    box->addWidget(form.EM);
    box->addWidget(form.lblEdit);
    box->addStretch(1);
    for (QPushButton* p : {b.cmdPrint, b.cmdEmail, b.OKButton, b.CancelButton, b.cmdApply, b.cmdDelete, b.cmdRefresh})
        box->addWidget(p);
    setTabChain({tabs, firstField});
    QWidget::setTabOrder(lastField, form.lblEdit);
    setTabChain({form.lblEdit, b.cmdPrint, b.cmdEmail, b.OKButton, b.CancelButton, b.cmdApply, b.cmdDelete,
                 b.cmdRefresh});

    QObject::connect(b.cmdPrint, &QPushButton::clicked, window, [&form] { form.FormPrint(); });
    QObject::connect(b.cmdEmail, &QPushButton::clicked, window, [&form] { form.FormEmail(); });
    QObject::connect(b.cmdRefresh, &QPushButton::clicked, window, [&form] { form.LoadData(); });
    return b;
}

bool swallowCtrlE(QWidget* window, QObject* watched, QEvent* event, bool inEditMode, const QWidget* editButton)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((target == window || window->isAncestorOf(target)) && SysUI().KeyPressedCtrlE(key->key(), key->modifiers())
        && (inEditMode || !editButton->isVisibleTo(window))) {
        event->accept();
        return true;
    }
    return false;
}

QString caption(const QString& kind, const QString& productService, const QString& shortDesc)
{
    QString title = productService.trimmed().isEmpty() ? QString() : productService;
    if (!shortDesc.trimmed().isEmpty()) {
        const QString desc = shortDesc.left(15) + QStringLiteral("...");
        title = title.isEmpty() ? desc : title + QStringLiteral(" - ") + desc;
    }
    if (title.isEmpty())
        title = QStringLiteral("New");
    return kind + QStringLiteral(": ") + title + QStringLiteral(" @") + Sys().CurrTimeAMPM();
}

void editQuickList(QComboBox* cbo, qint32 catType)
{
    const QString typed = cbo->currentText();
    listEditor()(catType);
    RecordControls::loadCategories(cbo, catType, false);
    cbo->setEditText(typed);
    SysUI().CtlSetFocus(cbo);
}

void pickDate(QLineEdit* box)
{
    const QString picked = calendar()(box->text());
    if (!picked.isEmpty())
        box->setText(picked);
    SysUI().CtlSetFocus(box);
}

void insertStamp(QPlainTextEdit* box)
{
    SysUI().TxtCtlInsertStr(box, Sys().CurrDateTimeShort() + QStringLiteral(" by ") + DB().LoginName());
    box->setFocus();
}

namespace {

frmMain* mainWindow() { return qobject_cast<frmMain*>(WindowRegistry::current().mainForm()); }

} // namespace

std::function<QString(const QString&)>& calendar()
{
    static std::function<QString(const QString&)> pick = [](const QString& initialDate) {
        frmMain* main = mainWindow();
        return main ? main->GetShortDateFromPopupCalendar(initialDate) : QString();
    };
    return pick;
}

std::function<void(qint32)>& listEditor()
{
    static std::function<void(qint32)> editor = [](qint32 catType) {
        frmMain* main = mainWindow();
        if (!main)
            return;
        switch (catType) {
        case 2: main->EditProductServiceCategory(); break;
        case 103: main->EditContractTypesCategory(); break;
        case 104: main->EditContractDurationsCategory(); break;
        case 101: main->EditIssueStatusCategory(); break;
        case 102: main->EditIssuePriorityCategory(); break;
        case 105: main->EditIssueCategory(); break;
        case 106: main->EditIssueActionsCategory(); break;
        default: main->EditCustomFieldCategory(catType); break;
        }
    };
    return editor;
}

std::function<bool(const QString&, const QString&, const QString&)>& mailSender()
{
    static std::function<bool(const QString&, const QString&, const QString&)> sender
        = [](const QString& to, const QString& subject, const QString& body) {
              frmMain* main = mainWindow();
              return main && main->SendMail(to, subject, body);
          };
    return sender;
}

} // namespace RecordFrame
