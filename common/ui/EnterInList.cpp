#include "common/ui/EnterInList.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace {

class EnterKeyFilter : public QObject {
public:
    EnterKeyFilter(QObject* parent, std::function<void()> open) : QObject(parent), m_open(std::move(open)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_open();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_open;
};

} // namespace

void onEnterInList(QAbstractItemView* list, std::function<void()> open)
{
    list->installEventFilter(new EnterKeyFilter(list, std::move(open)));
}
