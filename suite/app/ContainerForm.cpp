#include "ContainerForm.h"

#include "platform/com/LateBinding.h"
#include "platform/com/RuntimeError.h"
#include "platform/com/Variant.h"

#include <QPointer>
#include <QVBoxLayout>
#include <QWidget>
#include <optional>

namespace suite {

namespace {

forms::FormDesign containerDesign() {
    forms::FormDesign design;
    design.name = QStringLiteral("frmContenedor");
    design.caption = QStringLiteral("Kestrova");
    design.clientWidth = 10830;
    design.clientHeight = 5055;
    design.sizable = true;
    return design;
}

} // namespace

ContainerForm::ContainerForm(QString transaccion)
    : forms::Form(containerDesign()), m_transaccion(std::move(transaccion)) {}

ContainerForm::~ContainerForm() = default;

void ContainerForm::host(com::Ptr<com::IDispatch> screen) {
    m_screen = std::move(screen);
    QWidget* frame = window();
    com::putPropertyRef(m_screen.get(), QStringLiteral("Padre"),
                        com::Ptr<com::IUnknown>(static_cast<com::IDispatch*>(this)));

    // Reading the handle loads the screen; its load handler may fail and still leave it loaded.
    std::optional<com::RuntimeError> loadFailure;
    try {
        m_screenHandle = com::getProperty(m_screen.get(), QStringLiteral("hWnd")).toLongLong();
    } catch (const com::RuntimeError& e) {
        loadFailure = e;
        m_screenHandle = com::getProperty(m_screen.get(), QStringLiteral("hWnd")).toLongLong();
    }
    QWidget* content = windowFromHandle(m_screenHandle);
    if (!content)
        throw com::RuntimeError(QStringLiteral("La pantalla no tiene ventana."), 5);

    const QSize size = content->size();
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    content->setParent(frame, Qt::Widget);
    layout->addWidget(content);
    frame->resize(size);
    setCaption(com::getProperty(m_screen.get(), QStringLiteral("Caption")).toString());

    Show();
    com::callMethod(m_screen.get(), QStringLiteral("Show"));
    if (loadFailure)
        throw *loadFailure;
}

void ContainerForm::releaseScreen() {
    if (!m_screen)
        return;
    com::putPropertyRef(m_screen.get(), QStringLiteral("Padre"), {});
    m_screen = nullptr;
}

void ContainerForm::Form_Unload(int& cancel) {
    if (!m_screen)
        return;
    const QPointer<QWidget> content = windowFromHandle(m_screenHandle);
    com::callMethod(m_screen.get(), QStringLiteral("Unload"));
    if (windowFromHandle(m_screenHandle)) {
        cancel = 1;
        return;
    }
    // The screen's window goes with the screen's own controls, not with this window.
    if (content) {
        content->hide();
        content->setParent(nullptr);
    }
}

QStringList ContainerForm::memberNames() const {
    return {QStringLiteral("Transaccion")};
}

QVariant ContainerForm::invokeMember(const QString& name, com::InvokeKind kind,
                                     QVariantList& args) {
    if (name.compare(QLatin1String("Transaccion"), Qt::CaseInsensitive) == 0 &&
        kind == com::InvokeKind::PropertyGet)
        return m_transaccion;
    return forms::Form::invokeMember(name, kind, args);
}

} // namespace suite
