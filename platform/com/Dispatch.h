#pragma once

#include "Unknown.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace com {

enum class InvokeKind { Method = 1, PropertyGet = 2, PropertyPut = 4, PropertyPutRef = 8 };

// Late binding: members reached by dispatch id or by name. Arguments are by reference, so a
// callee may write back into args. Unknown names and ids raise RuntimeError 438
// ("Object doesn't support this property or method").
class IDispatch : public IUnknown {
public:
    static constexpr QUuid IID{0x00020400, 0x0000, 0x0000, 0xC0, 0x00, 0x00,
                               0x00,       0x00,   0x00,   0x00, 0x46};

    virtual int idOfName(const QString& name) = 0;
    virtual QVariant invoke(int dispId, InvokeKind kind, QVariantList& args) = 0;
};

} // namespace com
