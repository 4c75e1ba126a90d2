#include "common/ui/YieldPacer.h"

#include <QCoreApplication>

bool YieldPacer::yieldIfDue()
{
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < m_msBetween)
        return false;
    yieldNow();
    return true;
}

void YieldPacer::yieldNow()
{
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}
