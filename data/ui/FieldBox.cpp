#include "data/ui/FieldBox.h"

#include "common/PromptService.h"
#include "common/ui/FieldTextEdit.h"
#include "common/ui/Win1252Validator.h"
#include "data/DbNotices.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

namespace {

constexpr char kNoticePending[] = "bmCharacterNoticePending";

// The message waits for the event loop: a modal box inside the control's key
// or paste handling would run while the control (an item view's editor, say)
// may be deleted under it. One message at a time per window, so that a held
// key does not stack them.
void tellLater(QWidget* control, const QString& character)
{
    if (character.isEmpty())
        return;
    QPointer<QWidget> window = control->window();
    if (window->property(kNoticePending).toBool())
        return;
    window->setProperty(kNoticePending, true);
    QTimer::singleShot(0, window.data(), [window, character] {
        MsgBox(DbNotice::characterNotStored(character), MsgStyle::Exclamation);
        if (window)
            window->setProperty(kNoticePending, false);
    });
}

} // namespace

namespace FieldBox {

int width(Schema::Table table, const char* field)
{
    const Schema::FieldDef* def = Schema::table(table).field(QLatin1String(field));
    Q_ASSERT_X(def, "FieldBox::width", field);
    return def && def->type == 'C' ? def->width : 0;
}

void fit(QLineEdit* box, Schema::Table table, const char* field, int cap)
{
    const int fieldWidth = width(table, field);
    const int limit = cap > 0 && (fieldWidth == 0 || cap < fieldWidth) ? cap : fieldWidth;
    if (limit > 0)
        box->setMaxLength(limit);
    auto* validator = new Win1252Validator(box);
    box->setValidator(validator);
    QObject::connect(box, &QLineEdit::inputRejected, box,
                     [box, validator] { tellLater(box, validator->takeRefused()); });
}

void fit(QComboBox* combo, Schema::Table table, const char* field)
{
    Q_ASSERT(combo->lineEdit());
    fit(combo->lineEdit(), table, field);
}

QPlainTextEdit* textBox(QWidget* parent, Schema::Table table, const char* field)
{
    auto* box = new FieldTextEdit(parent, width(table, field));
    QObject::connect(box, &FieldTextEdit::refused, box, [box](const QString& character) { tellLater(box, character); });
    return box;
}

} // namespace FieldBox
