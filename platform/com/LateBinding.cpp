#include "LateBinding.h"

#include "StandardErrors.h"
#include "Variant.h"

namespace com {

namespace {

IDispatch* checked(IDispatch* object) {
    if (!object)
        throw objectNotSet();
    return object;
}

} // namespace

QVariant getProperty(IDispatch* object, const QString& name, QVariantList args) {
    const int id = checked(object)->idOfName(name);
    return object->invoke(id, InvokeKind::PropertyGet, args);
}

QVariant getProperty(IDispatch* object, int dispId, QVariantList args) {
    return checked(object)->invoke(dispId, InvokeKind::PropertyGet, args);
}

void putProperty(IDispatch* object, const QString& name, const QVariant& value) {
    const int id = checked(object)->idOfName(name);
    QVariantList args{value};
    object->invoke(id, InvokeKind::PropertyPut, args);
}

void putPropertyRef(IDispatch* object, const QString& name, const Ptr<IUnknown>& value) {
    const int id = checked(object)->idOfName(name);
    QVariantList args{objectVariant(value)};
    object->invoke(id, InvokeKind::PropertyPutRef, args);
}

QVariant callMethod(IDispatch* object, const QString& name, QVariantList args) {
    const int id = checked(object)->idOfName(name);
    return object->invoke(id, InvokeKind::Method, args);
}

std::optional<QVariant> booleanField(const QString& name, const char* field, bool& value,
                                     InvokeKind kind, QVariantList& args, bool writable) {
    if (name.compare(QLatin1String(field), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    if (kind == InvokeKind::PropertyGet)
        return QVariant(value);
    if (writable && kind == InvokeKind::PropertyPut && !args.isEmpty()) {
        value = args.last().toBool();
        return QVariant();
    }
    return std::nullopt;
}

} // namespace com
