#include "app/SaveButtons.h"

#include "common/ui/NamedControls.h"

#include <QDialog>
#include <QHBoxLayout>

SaveButtons makeSaveButtons(QDialog* dialog, std::function<void()> save)
{
    SaveButtons b;
    b.ok = namedButton(dialog, QStringLiteral("OKButton"), QStringLiteral("OK"));
    b.ok->setDefault(true);
    b.cancel = namedButton(dialog, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    b.apply = namedButton(dialog, QStringLiteral("cmdApply"), QStringLiteral("Apply"));
    QObject::connect(b.ok, &QPushButton::clicked, dialog, [dialog, save] {
        save();
        dialog->accept();
    });
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(b.apply, &QPushButton::clicked, dialog, [save] { save(); });
    b.row = new QHBoxLayout;
    b.row->addStretch();
    for (QPushButton* button : {b.ok, b.cancel, b.apply})
        b.row->addWidget(button);
    return b;
}
