#include "app/RecordFrame.h"

#include "app/EditModeCtl.h"
#include "app/MainWindow.h"
#include "app/RecordControls.h"
#include "app/RecordWindow.h"
#include "app/frmMain.h"
#include "common/clsSystem.h"
#include "common/ui/TabChain.h"
#include "common/ui/clsSystemUI.h"

#include <QHBoxLayout>
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

void editQuickList(QComboBox* cbo, CatType::Kind catType)
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
        case CatType::ProductService: main->EditProductServiceCategory(); break;
        case CatType::ContractType: main->EditContractTypesCategory(); break;
        case CatType::ContractDuration: main->EditContractDurationsCategory(); break;
        case CatType::IssueStatus: main->EditIssueStatusCategory(); break;
        case CatType::IssuePriority: main->EditIssuePriorityCategory(); break;
        case CatType::IssueCategory: main->EditIssueCategory(); break;
        case CatType::IssueAction: main->EditIssueActionsCategory(); break;
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
