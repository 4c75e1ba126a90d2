#include "common/ui/clsSystemUI.h"

#include "common/PromptService.h"
#include "common/clsSystem.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/WindowRegistry.h"

#include <QRegularExpression>
#include <QWidget>

namespace {

QWidget* firstWithTag(const QString& tag)
{
    const QList<QWidget*> forms = WindowRegistry::current().openForms();
    for (QWidget* form : forms) {
        if (objectTag(form) == tag)
            return form;
    }
    return nullptr;
}

// Closes the windows for which `close(tag of window)` holds, one at a time
// from a list taken first, since closing changes the registry.
template <typename Pred>
void closeForms(Pred shouldClose)
{
    WindowRegistry& registry = WindowRegistry::current();
    const QList<QWidget*> forms = registry.openForms();
    for (QWidget* form : forms) {
        if (shouldClose(objectTag(form)))
            (void)registry.closeForm(form);
    }
}

// Decimal digits with an optional sign, within a Long: what a caller of a
// numeric prompt can convert. Fractions, exponents and "&H" forms are not.
bool isWholeNumber(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
    bool fits = false;
    (void)text.toInt(&fits);
    return fits && digits.match(text).hasMatch();
}

} // namespace

bool clsSystemUI::IsFormLoaded(const QString& tag) const { return firstWithTag(tag) != nullptr; }

bool clsSystemUI::BringFormToTop(const QString& tag) const
{
    QWidget* form = firstWithTag(tag);
    if (!form)
        return false;
    WindowRegistry::current().activateForm(form);
    return true;
}

bool clsSystemUI::GetFormWithTag(const QString& tag, QWidget*& form) const
{
    QWidget* found = firstWithTag(tag);
    if (!found)
        return false;
    form = found;
    return true;
}

void clsSystemUI::UnloadAll(const QString& tag) const
{
    closeForms([&tag](const QString& formTag) { return formTag != tag; });
}

void clsSystemUI::UnloadForm(const QString& tag) const
{
    closeForms([&tag](const QString& formTag) { return formTag == tag; });
}

void clsSystemUI::CtlSetFocus(QWidget* ctl) const
{
    if (ctl && ctl->isVisible())
        ctl->setFocus();
}

bool clsSystemUI::KeyPressedCtrlE(int keyCode, Qt::KeyboardModifiers modifiers) const
{
    return keyCode == Qt::Key_E && modifiers.testFlag(Qt::ControlModifier);
}

QString clsSystemUI::PromptInputString(const QString& title, const QString& prompt, const QString& defaultText,
                                       bool numbersOnly) const
{
    for (;;) {
        const std::optional<QString> answer = Prompts().inputBox(prompt, title, defaultText);
        if (!answer)
            return {};
        const QString text = answer->trimmed();
        if (text.isEmpty() || !numbersOnly || isWholeNumber(text))
            return text;
        MsgBox(QStringLiteral("Please enter a numeric value!"), MsgStyle::Exclamation);
    }
}
