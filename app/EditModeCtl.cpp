#include "app/EditModeCtl.h"

#include <QLabel>

EditModeCtl::EditModeCtl(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("EM"));
    lblMode = new QLabel(QStringLiteral("View "), this);
    lblMode->setObjectName(QStringLiteral("lblMode"));
    lblMode->setAlignment(Qt::AlignCenter);
    lblMode->setAutoFillBackground(true);
    setMinimumSize(80, 20);
    ViewMode();
    lblMode->setGeometry(rect());
}

void EditModeCtl::EditMode()
{
    show(QStringLiteral("edit-data"), QColor(0xFF, 0xFF, 0xFF));
    m_editMode = true;
}

void EditModeCtl::ViewMode()
{
    show(QStringLiteral("read-only"), QColor(0xFF, 0xFF, 0xC0));
    m_editMode = false;
}

void EditModeCtl::show(const QString& caption, const QColor& back)
{
    lblMode->setText(caption);
    QPalette palette = lblMode->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, Qt::black);
    lblMode->setPalette(palette);
}

void EditModeCtl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    lblMode->setGeometry(rect());
}
