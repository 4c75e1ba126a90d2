#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// The tag of a window ("MAINFORM", "C1004", ...) or of a control ("E" for
// controls that change only in edit mode), kept as the object's "tag" property.
inline void setObjectTag(QObject* object, const QString& tag)
{
    object->setProperty("tag", tag);
}

inline QString objectTag(const QObject* object)
{
    return object ? object->property("tag").toString() : QString();
}
