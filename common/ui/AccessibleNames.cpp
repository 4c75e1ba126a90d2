#include "common/ui/AccessibleNames.h"

#include <QAccessible>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace AccessibleNames {
namespace {

class ComboTextNamer final : public QObject {
public:
    explicit ComboTextNamer(QComboBox* combo)
        : QObject(combo)
        , m_combo(combo)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::FocusIn)
            rename();
        return QObject::eventFilter(watched, event);
    }

    void rename()
    {
        QLineEdit* box = m_combo->lineEdit();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(m_combo);
        if (box && face)
            box->setAccessibleName(withoutMnemonic(face->text(QAccessible::Name)));
    }

private:
    QComboBox* m_combo;
};

} // namespace

void nameTextOfCombo(QComboBox* combo)
{
    auto* namer = new ComboTextNamer(combo);
    combo->installEventFilter(namer);
    if (QLineEdit* box = combo->lineEdit())
        box->installEventFilter(namer);
    namer->rename();
}

void nameByLabel(QWidget* view, QLabel* label)
{
    label->setBuddy(view);
    view->setAccessibleName(withoutMnemonic(label->text()));
}

QString withoutMnemonic(const QString& caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        plain.append(caption.at(i));
    }
    return plain;
}

} // namespace AccessibleNames
