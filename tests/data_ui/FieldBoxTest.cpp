#include "DataFixture.h"
#include "TestSupport.h"
#include "WhenModal.h"

#include "common/ScriptedPrompts.h"
#include "common/ui/ListRenameDelegate.h"
#include "common/ui/WidgetPrompts.h"
#include "data/ui/FieldBox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Schema::Table;

QString refusal(const QString& character)
{
    return QStringLiteral("The character '") + character
        + QStringLiteral("' can't be stored! The database can only hold the letters, digits and signs of Western "
                         "European languages.");
}

// Types `text` into the widget as a keyboard would, one key press for each
// character (a surrogate pair is one character).
void typeText(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        const QString key = text.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        if (key == QLatin1String("\n"))
            QTest::keyClick(widget, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, key, Qt::NoModifier);
    }
}

QStringList boxTexts(const ScriptedPrompts& prompts)
{
    QStringList texts;
    for (const ShownPrompt& p : prompts.shown()) {
        EXPECT_EQ(p.kind, ShownPrompt::Kind::MessageBox);
        EXPECT_EQ(p.style, MsgStyle::Exclamation);
        texts.append(p.text);
    }
    return texts;
}

QString storedForm(const QPlainTextEdit& box)
{
    return box.toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

TEST(FieldBox, WidthsComeFromTheSchemaAndAMemoHasNone)
{
    EXPECT_EQ(FieldBox::width(Table::Cust, "company"), 60);
    EXPECT_EQ(FieldBox::width(Table::IActions, "desc"), 120);
    EXPECT_EQ(FieldBox::width(Table::Cust, "notes"), 0);

    QLineEdit narrowed;
    FieldBox::fit(&narrowed, Table::CustPs, "contno", 20);
    EXPECT_EQ(narrowed.maxLength(), 20);
    QLineEdit capAboveTheField;
    FieldBox::fit(&capAboveTheField, Table::Cust, "postalcode", 40);
    EXPECT_EQ(capAboveTheField.maxLength(), 15);
    QComboBox combo;
    combo.setEditable(true);
    FieldBox::fit(&combo, Table::Cust, "salutation");
    EXPECT_EQ(combo.lineEdit()->maxLength(), 15);
    combo.addItem(QStringLiteral("Her Royal Highness"));
    combo.setCurrentIndex(0);
    EXPECT_EQ(combo.currentText(), QStringLiteral("Her Royal Highn"));
}

TEST(FieldBox, ASingleLineBoxKeepsToItsWidthAndToTheCodePageAndTellsAfterTheKey)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const struct {
        QString typed;
        QString shown;
        QString told;   // the refused character named, "" when none
    } cases[] = {
        {QStringLiteral("12345678901234567890"), QStringLiteral("123456789012345"), QString()},
        {QStringLiteral("\u20ac 5 \u00e9\u00df\u0160"), QStringLiteral("\u20ac 5 \u00e9\u00df\u0160"), QString()},
        // Only the first refusal of one burst of keys is told.
        {QStringLiteral("\u0141\u00f3d\u017a"), QStringLiteral("\u00f3d"), QStringLiteral("\u0141")},
        {QStringLiteral("a") + emoji + QStringLiteral("b"), QStringLiteral("ab"), emoji},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        ScriptedPrompts prompts;
        QLineEdit box;
        box.setObjectName(QStringLiteral("txtPostalCode"));
        FieldBox::fit(&box, Table::Cust, "postalcode");
        typeText(&box, c.typed);
        EXPECT_EQ(box.text(), c.shown);
        // Nothing opens inside the key handling.
        EXPECT_TRUE(prompts.shown().isEmpty());
        QCoreApplication::processEvents();
        EXPECT_EQ(boxTexts(prompts), c.told.isEmpty() ? QStringList() : QStringList{refusal(c.told)});
    }
}

TEST(FieldBox, APastedLineBreakBecomesTheBlankTheBoxShowsAndAForeignCharacterStopsThePaste)
{
    ScriptedPrompts prompts;
    QLineEdit box;
    FieldBox::fit(&box, Table::Cust, "address1");
    QGuiApplication::clipboard()->setText(QStringLiteral("12 Main St\r\nSuite\t4"));
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("12 Main St  Suite 4"));
    QGuiApplication::clipboard()->setText(QStringLiteral(" \u0141\u00f3d\u017a"));
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("12 Main St  Suite 4"));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxTexts(prompts), QStringList{refusal(QStringLiteral("\u0141"))});
}

// Pastes `text` at the caret as the user does.
void paste(QPlainTextEdit& box, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    box.paste();
}

TEST(FieldBox, AMultiLineBoxCountsEachLineBreakAsTheTwoCharactersItIsStoredAs)
{
    const QString a118(118, QLatin1Char('a'));
    const QString a119(119, QLatin1Char('a'));
    const struct {
        const char* what;
        QString before;     // set by the program, the caret at its end unless `at` is given
        int at;
        QString typed;      // typed key by key
        QString pasted;     // then pasted at the caret
        QString shown;
    } cases[] = {
        {"a break that fits exactly", a118, -1, QStringLiteral("\nb"), QString(), a118 + QLatin1Char('\n')},
        {"a break one short of room", a119, -1, QStringLiteral("\nbc"), QString(), a119 + QLatin1Char('b')},
        {"a paste keeps what fits", QStringLiteral("ab"), -1, QString(), QString(QStringLiteral("line\r\n")).repeated(30),
         QStringLiteral("ab") + QString(QStringLiteral("line\n")).repeated(19) + QStringLiteral("line")},
        {"a paste in the middle keeps the tail", QString(100, QLatin1Char('t')), 10, QString(),
         QString(30, QLatin1Char('p')), QString(10, QLatin1Char('t')) + QString(20, QLatin1Char('p')) + QString(90, QLatin1Char('t'))},
        {"a stored text at the width stays whole", QString(58, QLatin1Char('s')) + QStringLiteral("\r\n") + QString(60, QLatin1Char('s')),
         -1, QStringLiteral("s"), QString(), QString(58, QLatin1Char('s')) + QLatin1Char('\n') + QString(60, QLatin1Char('s'))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedPrompts prompts;
        std::unique_ptr<QPlainTextEdit> box(FieldBox::textBox(nullptr, Table::IActions, "desc"));
        box->setPlainText(c.before);
        QTextCursor caret = box->textCursor();
        caret.setPosition(c.at >= 0 ? c.at : int(box->toPlainText().size()));
        box->setTextCursor(caret);
        typeText(box.get(), c.typed);
        if (!c.pasted.isEmpty())
            paste(*box, c.pasted);
        EXPECT_EQ(box->toPlainText(), c.shown);
        EXPECT_LE(storedForm(*box).size(), 120);
        QCoreApplication::processEvents();
        EXPECT_TRUE(prompts.shown().isEmpty());
    }
}

TEST(FieldBox, AMultiLineBoxLeavesOutForeignCharactersAndUndoesAPasteAsOneStep)
{
    ScriptedPrompts prompts;
    std::unique_ptr<QPlainTextEdit> box(FieldBox::textBox(nullptr, Table::IActions, "desc"));
    typeText(box.get(), QStringLiteral("Call \u0141ukasz"));
    paste(*box, QStringLiteral(" \u2013 ok \u0142"));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Call ukasz \u2013 ok "));
    EXPECT_TRUE(prompts.shown().isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(boxTexts(prompts), QStringList{refusal(QStringLiteral("\u0141"))});

    // A composed character goes the same way.
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u0103!"));
    QApplication::sendEvent(box.get(), &composed);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Call ukasz \u2013 ok !"));

    const QString before = box->toPlainText();
    paste(*box, QString(200, QLatin1Char('x')));
    EXPECT_EQ(box->toPlainText(), before + QString(120 - before.size(), QLatin1Char('x')));
    box->undo();
    EXPECT_EQ(box->toPlainText(), before);

    // A selection over a line break frees the two characters it is stored as.
    box->setPlainText(QString(58, QLatin1Char('s')) + QStringLiteral("\n") + QString(60, QLatin1Char('s')));
    QTextCursor selection = box->textCursor();
    selection.setPosition(57);
    selection.setPosition(60, QTextCursor::KeepAnchor);
    box->setTextCursor(selection);
    paste(*box, QStringLiteral("wxyz"));
    EXPECT_EQ(box->toPlainText(), QString(57, QLatin1Char('s')) + QStringLiteral("wxyz") + QString(59, QLatin1Char('s')));

    // Enter in a full box is used up, so that it cannot reach a default button.
    box->setPlainText(QString(120, QLatin1Char('f')));
    box->moveCursor(QTextCursor::End);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(box.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(box->toPlainText(), QString(120, QLatin1Char('f')));

    // A memo takes any length, but only what the code page holds.
    std::unique_ptr<QPlainTextEdit> notes(FieldBox::textBox(nullptr, Table::IActions, "notes"));
    paste(*notes, QString(40000, QLatin1Char('n')) + QStringLiteral("\u0142"));
    EXPECT_EQ(notes->toPlainText(), QString(40000, QLatin1Char('n')));
}

// The message opens from the event loop after the key: the in-place editor
// of a list, which the list deletes when the box takes the focus, is no
// longer in its key handling then.
TEST(FieldBox, ARealMessageBoxAboutARefusedCharacterLeavesAnInPlaceEditorsListWhole)
{
    WidgetPrompts widgets;
    PromptService* previous = setPrompts(&widgets);
    QTreeWidget list;
    list.setColumnCount(1);
    list.setItemDelegate(new ListRenameDelegate(
        &list,
        [](QTreeWidgetItem*, QString& edited) { return ListRenameDelegate::tidyName(edited, 40); },
        [](QLineEdit* box) { FieldBox::fit(box, Table::Cat, "desc", 40); }));
    auto* item = new QTreeWidgetItem(&list, {QStringLiteral("Alpha")});
    ListRenameDelegate::makeEditable(item);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.setCurrentItem(item);
    list.editItem(item, 0);
    auto* editor = list.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 40);
    editor->selectAll();

    QString shown;
    bmtest::whenModal<QMessageBox>([&shown](QMessageBox* box) {
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    typeText(editor, QStringLiteral("Bet\u0101"));
    for (int i = 0; i < 400 && shown.isEmpty(); ++i)
        QTest::qWait(5);
    EXPECT_EQ(shown, refusal(QStringLiteral("\u0101")));
    QTest::qWait(20);
    if (auto* open = list.findChild<QLineEdit*>())
        QTest::keyClick(open, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(item->text(0), QStringLiteral("Bet"));
    setPrompts(previous);
}

} // namespace
