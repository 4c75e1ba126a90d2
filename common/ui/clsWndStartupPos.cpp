#include "common/ui/clsWndStartupPos.h"

#include "common/mdlRegistry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

constexpr qint32 kStateNormal = 0;
constexpr qint32 kStateMaximized = 2;

QSize screenTwips(const QWidget* form)
{
    const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    const QRect virtualArea = screen ? screen->virtualGeometry() : QRect(0, 0, 800, 600);
    return {(virtualArea.x() + virtualArea.width()) * clsWndStartupPos::kTwipsPerPixel,
            (virtualArea.y() + virtualArea.height()) * clsWndStartupPos::kTwipsPerPixel};
}

void maximize(QWidget* form)
{
    form->setWindowState((form->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

} // namespace

void clsWndStartupPos::SavePosition(const QWidget* form) const
{
    if (form->windowState() & Qt::WindowMinimized)
        return;
    writeLong(QStringLiteral("top"), form->y() * kTwipsPerPixel);
    writeLong(QStringLiteral("left"), form->x() * kTwipsPerPixel);
    writeLong(QStringLiteral("width"), form->width() * kTwipsPerPixel);
    writeLong(QStringLiteral("height"), form->height() * kTwipsPerPixel);
    writeLong(QStringLiteral("windowstate"),
              (form->windowState() & Qt::WindowMaximized) ? kStateMaximized : kStateNormal);
}

void clsWndStartupPos::RestorePosition(QWidget* form) const
{
    const qint32 top = GetValueLong(QStringLiteral("top"));
    const qint32 left = GetValueLong(QStringLiteral("left"));
    const qint32 width = GetValueLong(QStringLiteral("width"));
    const qint32 height = GetValueLong(QStringLiteral("height"));
    if (GetValueLong(QStringLiteral("windowstate")) == kStateMaximized) {
        maximize(form);
        return;
    }
    const QSize screen = screenTwips(form);
    if (top > screen.height() || left > screen.width() || width < 1 || height < 1 || left < 0 || top < 0) {
        maximize(form);
        return;
    }
    form->move(left / kTwipsPerPixel, top / kTwipsPerPixel);
    form->resize(width / kTwipsPerPixel, height / kTwipsPerPixel);
    form->setWindowState(Qt::WindowNoState);
}

qint32 clsWndStartupPos::GetValueLong(const QString& name) const { return GetPrefLong(name); }

bool clsWndStartupPos::writeLong(const QString& name, qint32 value) const
{
    return RegWriteString(PrefKeyPath(), QString::number(value), name);
}
