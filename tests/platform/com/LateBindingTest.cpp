#include "platform/com/LateBinding.h"
#include "platform/com/Object.h"
#include "platform/com/StandardErrors.h"
#include "platform/com/Variant.h"
#include "tests/support/Checks.h"

#include <gtest/gtest.h>

namespace {

// An object with a property "Nombre", an object property "Padre" and a method "Unir".
class Objeto : public com::Object<com::IDispatch> {
public:
    int idOfName(const QString& name) override {
        const QStringList miembros{"nombre", "padre", "unir"};
        const int i = miembros.indexOf(name.toLower());
        if (i < 0)
            throw com::notSupported(name);
        return i + 1;
    }
    QVariant invoke(int id, com::InvokeKind kind, QVariantList& args) override {
        switch (id) {
        case 1:
            if (kind == com::InvokeKind::PropertyPut)
                nombre = args.value(0).toString();
            return nombre;
        case 2:
            if (kind == com::InvokeKind::PropertyPutRef)
                padre = com::objectOf(args.value(0));
            return com::objectVariant(padre);
        case 3:
            args[1] = "escrito"; // by reference, as VB passes arguments
            return args.value(0).toString() + nombre;
        default:
            throw com::notSupported();
        }
    }

    QString nombre;
    com::Ptr<com::IUnknown> padre;
};

long numeroDeError(const std::function<void()>& llamada) {
    return ktest::errorOf(llamada).number();
}

TEST(LateBindingTest, PropertiesMethodsAndObjectReferencesAreReachedByName) {
    const auto objeto = com::newObject<Objeto>();
    com::putProperty(objeto.get(), "Nombre", "LOG0001");
    EXPECT_EQ(com::getProperty(objeto.get(), "NOMBRE").toString(), "LOG0001");
    EXPECT_EQ(com::getProperty(objeto.get(), 1).toString(), "LOG0001");
    EXPECT_EQ(com::callMethod(objeto.get(), "Unir", {"T-", QString()}).toString(), "T-LOG0001");

    const auto hijo = com::newObject<Objeto>();
    const auto padre = com::newObject<Objeto>();
    com::putPropertyRef(hijo.get(), "Padre", padre.query<com::IUnknown>());
    const QVariant leido = com::getProperty(hijo.get(), "Padre");
    ASSERT_TRUE(com::holdsObject(leido));
    EXPECT_EQ(com::dispatchOf(leido).get(), static_cast<com::IDispatch*>(padre.get()));

    const QVariant nada = com::objectVariant(com::Ptr<com::IUnknown>());
    EXPECT_TRUE(com::holdsObject(nada));
    EXPECT_FALSE(com::objectOf(nada));
    EXPECT_FALSE(com::objectOf(QVariant()));
}

TEST(LateBindingTest, FailuresRaiseTheUsualErrors) {
    const auto objeto = com::newObject<Objeto>();
    EXPECT_EQ(numeroDeError([&] { com::getProperty(objeto.get(), "Transaccion"); }), 438);
    EXPECT_EQ(numeroDeError([&] { com::getProperty(objeto.get(), 77); }), 438);
    EXPECT_EQ(numeroDeError([] { com::getProperty(nullptr, "Nombre"); }), 91);
    EXPECT_EQ(numeroDeError([] { com::dispatchOf(com::objectVariant(com::Ptr<com::IUnknown>())); }),
              91);
    EXPECT_EQ(numeroDeError([] { com::objectOf("texto"); }), 13);
}

} // namespace
