#include "ControlKit.h"

#include "ColorVex.h"
#include "Controles.h"
#include "DpFecha.h"
#include "Etiqueta.h"
#include "FlatButton.h"
#include "LvButton.h"
#include "SsTbVex.h"
#include "Titulo.h"
#include "TxtVex.h"
#include "kt512/services/ClassIds.h"
#include "platform/com/FunctionFactory.h"
#include "platform/com/Runtime.h"
#include "suite/host/HostSession.h"

namespace suite {

namespace {

template <class Control, class... Args>
std::function<com::Ptr<com::IUnknown>()> maker(Args... args) {
    return [args...]() -> com::Ptr<com::IUnknown> {
        return com::Ptr<forms::IControl>(com::newObject<Control>(args...));
    };
}

void add(com::Runtime& runtime, const QUuid& clsid, const char* progId,
         std::function<com::Ptr<com::IUnknown>()> make) {
    runtime.registerClassObject(clsid, QString::fromLatin1(progId),
                                com::newObject<com::FunctionFactory>(std::move(make)));
}

} // namespace

void registerControlKit(com::Runtime& runtime, std::shared_ptr<HostSession> session) {
    TxtVex::ConnectionSource connection;
    if (session)
        connection = [session]() -> ado::Connection& { return session->connection(); };

    namespace progId = kt512::ControlKit;
    add(runtime, KitClassIds::TextBox, progId::TextBox, maker<TxtVex>(connection));
    add(runtime, KitClassIds::Label, progId::Label, maker<Etiqueta>());
    add(runtime, KitClassIds::Toolbar, progId::Toolbar, maker<Controles>());
    add(runtime, KitClassIds::ColourScheme, progId::ColourScheme, maker<ColorVex>());
    add(runtime, KitClassIds::DatePicker, progId::DatePicker, maker<DpFecha>());
    add(runtime, KitClassIds::ImageButton, progId::ImageButton, maker<LvButton>());
    add(runtime, KitClassIds::FlatButton, progId::FlatButton, maker<FlatButton>());
    add(runtime, KitClassIds::TitleBar, progId::TitleBar, maker<Titulo>());
    add(runtime, KitClassIds::TabStrip, progId::TabStrip, maker<SsTbVex>());
}

} // namespace suite
