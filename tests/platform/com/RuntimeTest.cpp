#include "platform/com/Runtime.h"
#include "platform/com/FunctionFactory.h"
#include "platform/com/Guid.h"
#include "platform/com/LateBinding.h"
#include "platform/com/StandardErrors.h"
#include "platform/com/Variant.h"
#include "tests/support/Checks.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QUuid kContador{0x1b7f0c3e, 0x2f49, 0x4c55, 0x8a, 0x1e, 0x5d, 0x0c, 0x9e, 0x44, 0x71, 0x20};
const QUuid kPropia{0x7d3c2b1a, 0x0f9e, 0x4d8c, 0xb7, 0xa6, 0x95, 0x84, 0x73, 0x62, 0x51, 0x40};
const QString kServidor = QFileInfo(QStringLiteral(KTEST_COM_SERVER)).canonicalFilePath();

class Propio : public com::Object<com::IDispatch> {
public:
    static inline int alive = 0;
    Propio() { ++alive; }
    ~Propio() override { --alive; }
    int idOfName(const QString&) override { return 1; }
    QVariant invoke(int, com::InvokeKind, QVariantList&) override { return "propio"; }
};

// A counted object starts life only with its owner: a plain new, whose object nothing would
// ever release, does not compile.
template <class T, class = void> constexpr bool newCompiles = false;
template <class T> constexpr bool newCompiles<T, std::void_t<decltype(new T)>> = true;
static_assert(!newCompiles<Propio> && newCompiles<QFile>);

class RuntimeTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString registro = dir.filePath("registry.json");
    com::Runtime runtime{registro};
};

TEST_F(RuntimeTest, ProcessClassObjectsComeFirstAndAServerGoesWithItsRuntime) {
    EXPECT_EQ(&com::Runtime::current(), &runtime);
    runtime.registerServer(kServidor);
    // The process's own class object wins over the server registered for the same class.
    runtime.registerClassObject(
        kContador, "KTest.Contador",
        com::newObject<com::FunctionFactory>([] { return com::newObject<Propio>(); }));
    for (const auto& objeto :
         {runtime.createInstance(kContador), runtime.createInstance("ktest.CONTADOR")})
        EXPECT_EQ(com::getProperty(objeto.as<com::IDispatch>().get(), "x").toString(), "propio");
    EXPECT_EQ(Propio::alive, 0) << "each object goes with its last reference";
    EXPECT_FALSE(ktest::libraryLoaded(kServidor));

    {
        com::Runtime anidado(registro);
        EXPECT_EQ(&com::Runtime::current(), &anidado);
        const auto objeto = anidado.createInstance(kContador).as<com::IDispatch>();
        EXPECT_EQ(com::callMethod(objeto.get(), "Incrementar").toInt(), 1);
    }
    EXPECT_FALSE(ktest::libraryLoaded(kServidor));
    EXPECT_EQ(&com::Runtime::current(), &runtime);
    runtime.revokeClassObject(kContador);
    const auto delServidor = runtime.createInstance(kContador).as<com::IDispatch>();
    EXPECT_EQ(com::callMethod(delServidor.get(), "Incrementar").toInt(), 1);
}

TEST_F(RuntimeTest, UnknownClassesRaise429NamingTheClass) {
    const com::RuntimeError porNombre =
        ktest::errorOf([&] { runtime.createInstance("KT512.NoExiste"); });
    const com::RuntimeError porClase = ktest::errorOf([&] { runtime.createInstance(kPropia); });
    EXPECT_EQ(porNombre.number(), 429);
    EXPECT_EQ(porClase.number(), 429);
    EXPECT_TRUE(porNombre.description().contains("KT512.NoExiste")) << porNombre.what();
    EXPECT_TRUE(porClase.description().contains(com::guidString(kPropia))) << porClase.what();
}

// A server whose registration fails leaves its error for the caller, through the export guard.
TEST(RuntimeFailureTest, AServerThatCannotRegisterRaisesItsOwnError) {
    const QString imposible = QStringLiteral("/dev/null/registry.json");
    com::Runtime runtime(imposible);
    const com::RuntimeError e = ktest::errorOf([&] { runtime.registerServer(kServidor); });
    EXPECT_EQ(e.number(), 75);
    EXPECT_TRUE(e.description().contains(imposible)) << e.what();
    EXPECT_FALSE(ktest::libraryLoaded(kServidor));
}

// An object with a property "Nombre", an object property "Padre" and a method "Unir", each set
// only by the kind of call meant for it.
class Objeto : public com::Object<com::IDispatch> {
public:
    int idOfName(const QString& name) override {
        const int i = QStringList{"nombre", "padre", "unir"}.indexOf(name.toLower());
        if (i < 0)
            throw com::notSupported(name);
        return i;
    }
    QVariant invoke(int id, com::InvokeKind kind, QVariantList& args) override {
        if (id < 0 || id > 2)
            throw com::notSupported();
        if (id == 2)
            return args.value(0).toString() + valores[0].toString();
        if (kind == (id == 0 ? com::InvokeKind::PropertyPut : com::InvokeKind::PropertyPutRef))
            valores[id] = args.value(0);
        return valores[id];
    }

    QVariant valores[2];
};

TEST(LateBindingTest, MembersAndObjectsAreReachedByNameAndFailuresRaiseTheUsualErrors) {
    const auto objeto = com::newObject<Objeto>();
    com::putProperty(objeto.get(), "Nombre", "LOG0001");
    EXPECT_EQ(com::getProperty(objeto.get(), "NOMBRE").toString(), "LOG0001");
    EXPECT_EQ(com::getProperty(objeto.get(), 0).toString(), "LOG0001");
    EXPECT_EQ(com::callMethod(objeto.get(), "Unir", {"T-"}).toString(), "T-LOG0001");

    const auto padre = com::newObject<Objeto>();
    com::putPropertyRef(objeto.get(), "Padre", padre.query<com::IUnknown>());
    const QVariant leido = com::getProperty(objeto.get(), "Padre");
    ASSERT_TRUE(com::holdsObject(leido));
    EXPECT_EQ(com::dispatchOf(leido).get(), static_cast<com::IDispatch*>(padre.get()));
    EXPECT_FALSE(com::objectOf(QVariant()));

    const auto numero = [](const std::function<void()>& llamada) {
        return ktest::errorOf(llamada).number();
    };
    EXPECT_EQ(numero([&] { com::getProperty(objeto.get(), "Transaccion"); }), 438);
    EXPECT_EQ(numero([] { com::getProperty(nullptr, "Nombre"); }), 91);
    EXPECT_EQ(numero([] { com::dispatchOf(com::objectVariant(com::Ptr<com::IUnknown>())); }), 91);
    EXPECT_EQ(numero([] { com::objectOf("texto"); }), 13);
}

} // namespace
