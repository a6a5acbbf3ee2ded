#pragma once

#include "Dispatch.h"
#include "Ptr.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

namespace com {

// Late-bound member access, as VB compiles `obj.Name` on an Object variable. A null object
// raises 91; a member the object does not know raises 438.
QVariant getProperty(IDispatch* object, const QString& name, QVariantList args = {});
QVariant getProperty(IDispatch* object, int dispId, QVariantList args = {});
void putProperty(IDispatch* object, const QString& name, const QVariant& value);
// `Set obj.Name = value`: puts an object reference.
void putPropertyRef(IDispatch* object, const QString& name, const Ptr<IUnknown>& value);
QVariant callMethod(IDispatch* object, const QString& name, QVariantList args = {});

// The serving side of a Boolean field that an object shows as a property named `field` (any
// letter case): its value for a get and, when writable, the field set for a put. Nothing for
// another name or another kind of call, which the caller then serves itself.
std::optional<QVariant> booleanField(const QString& name, const char* field, bool& value,
                                     InvokeKind kind, QVariantList& args, bool writable = true);

} // namespace com
