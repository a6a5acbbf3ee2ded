#include "Variant.h"

#include "StandardErrors.h"

namespace com {

namespace {

// The metatype is registered here, in the shared library, before any component that may be
// unloaded later registers its own copy of it.
const int objectMetaType = qRegisterMetaType<Ptr<IUnknown>>("com::Ptr<com::IUnknown>");

} // namespace

QVariant objectVariant(const Ptr<IUnknown>& object) {
    return QVariant(QMetaType(objectMetaType), &object);
}

bool holdsObject(const QVariant& value) {
    return value.metaType().id() == objectMetaType;
}

Ptr<IUnknown> objectOf(const QVariant& value) {
    if (holdsObject(value))
        return value.value<Ptr<IUnknown>>();
    if (!value.isValid() || value.isNull())
        return {};
    throw typeMismatch();
}

Ptr<IDispatch> dispatchOf(const QVariant& value) {
    const Ptr<IUnknown> object = objectOf(value);
    if (!object)
        throw objectNotSet();
    return object.as<IDispatch>();
}

} // namespace com
