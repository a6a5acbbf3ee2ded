#pragma once

#include "platform/com/Dispatch.h"

#include <QUuid>
#include <QVariant>

namespace kt512 {

// _Pantalla, the default interface of the component's one creatable class: dual, so a host
// reaches the same two properties early bound or through IDispatch by their dispatch ids.
class IPantalla : public com::IDispatch {
public:
    static constexpr QUuid IID{0x883A76B3, 0x1502, 0x41D6, 0xBB, 0xDE, 0x29,
                               0x59,       0xCC,   0x48,   0x55, 0x0E};
    enum DispId { DispModulo = 0x68030000, DispGetPantalla = 0x68030001 };

    // The board's default instance, created but not loaded; an empty object if that fails.
    virtual QVariant GetPantalla() = 0;
    // The module the screen belongs to.
    virtual QVariant Modulo() = 0;
};

// The identity the class registry and the hosts know the component by.
namespace Componente {
constexpr QUuid ClasePantalla{0x5215602E, 0x2232, 0x4857, 0xB0, 0x80, 0x35,
                              0x66,       0xC9,   0xA0,   0x8A, 0x4E};
constexpr const char* ProgIdPantalla = "KT512.Pantalla";
constexpr QUuid BibliotecaTipos{0x99511839, 0x493D, 0x4951, 0xB9, 0xA4, 0xBE,
                                0x36,       0x4F,   0x9A,   0x82, 0xBC};
constexpr const char* NombreBiblioteca = "KT512";
constexpr const char* VersionBiblioteca = "1.0";
} // namespace Componente

} // namespace kt512
