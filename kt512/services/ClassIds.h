#pragma once

#include <QUuid>

namespace kt512 {

// Class identifiers of the suite's objects that the component creates.
namespace ClassIds {
constexpr QUuid Sistema{0x54E34BDD, 0xC60A, 0x4AB5, 0xA2, 0x21, 0xD8, 0x36, 0x04, 0x20, 0xCE, 0xFA};
constexpr QUuid Funciones{0x635AC3B1, 0xDB02, 0x41A4, 0x9F, 0xB3, 0x20, 0xF3, 0x08, 0xA4, 0x62, 0x5C};
constexpr QUuid FormatoLista{0xC2911F50, 0xBA03, 0x40F0, 0x93, 0x1B, 0x58, 0x4B, 0xFF, 0x78, 0x45, 0xAF};
constexpr QUuid ServicioVenta{0x004933BC, 0xB520, 0x4F12, 0x9B, 0xD5, 0x3C, 0x34, 0x5B, 0x0E, 0xD4, 0xC7};
constexpr QUuid ServicioRemision{0x0D68F562, 0x2B3E, 0x4FE5, 0x90, 0xD5, 0x2D, 0xE5, 0x17, 0x5F, 0x1A, 0xD2};
} // namespace ClassIds

// Programmatic identifiers of the control kit, as the forms' designs name the controls.
namespace ControlKit {
constexpr const char* TextBox = "textoVEX.txtVEX";
constexpr const char* Label = "LabelVex.Etiqueta";
constexpr const char* Toolbar = "toolbarVEX.Controles";
constexpr const char* ColourScheme = "coloresVEX.colorVEX";
constexpr const char* DatePicker = "fechaVex.dpFecha";
constexpr const char* ImageButton = "lvButtonVEX.lvButton";
constexpr const char* FlatButton = "flatButtonVEX.flatButton";
constexpr const char* TitleBar = "titlebarVex.Titulo";
constexpr const char* TabStrip = "ssTabVex.ssTbVex";
} // namespace ControlKit

} // namespace kt512
