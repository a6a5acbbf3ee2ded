#pragma once

#include "Dispatch.h"
#include "Ptr.h"

#include <QVariant>

namespace com {

// Object references travel in Variants as Ptr<IUnknown>; an empty Ptr is VB's Nothing.
QVariant objectVariant(const Ptr<IUnknown>& object);
template <class I> QVariant objectVariant(const Ptr<I>& object) {
    return objectVariant(object.template query<IUnknown>());
}
bool holdsObject(const QVariant& value);
// The object in a Variant: empty for Nothing or an empty Variant; raises 13 for any other value.
Ptr<IUnknown> objectOf(const QVariant& value);
// The object's IDispatch; raises 91 for Nothing and 13 for an object without late binding.
Ptr<IDispatch> dispatchOf(const QVariant& value);

} // namespace com
