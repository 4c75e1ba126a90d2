#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QString>

// A push button that carries its given control name as object name, so that
// tests and help find it by that name.
inline QPushButton* namedButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// A text box that shows "*" for each typed character.
inline QLineEdit* namedPasswordBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));   // "*"
    return box;
}
