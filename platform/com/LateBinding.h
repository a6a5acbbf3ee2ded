#pragma once

#include "Dispatch.h"
#include "Ptr.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace com {

// Late-bound member access, as VB compiles `obj.Name` on an Object variable. A null object
// raises 91; a member the object does not know raises 438.
QVariant getProperty(IDispatch* object, const QString& name, QVariantList args = {});
QVariant getProperty(IDispatch* object, int dispId, QVariantList args = {});
void putProperty(IDispatch* object, const QString& name, const QVariant& value);
// `Set obj.Name = value`: puts an object reference.
void putPropertyRef(IDispatch* object, const QString& name, const Ptr<IUnknown>& value);
QVariant callMethod(IDispatch* object, const QString& name, QVariantList args = {});

} // namespace com
