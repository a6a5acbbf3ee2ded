// The new delivery date dialog, shown modally as the reprogramming command shows it.

#include "EntornoReprogramacion.h"

#include "kt512/reprogram/frmRecalendarizar.h"
#include "platform/forms/MonthView.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

using namespace kt512;

namespace {

const QDateTime kCargada(QDate(2026, 12, 10), QTime(15, 30, 45));

class DialogoRecalendarizar : public ktest::EntornoReprogramacion {
protected:
    frmRecalendarizar& d() { return publico().recalendarizar(); }

    // Loads the dialog on kCargada, shows it modally and runs one step per turn of its loop;
    // a dialog still open after the last step is a failure, and is closed.
    void mostrar(std::vector<std::function<void()>> pasos) {
        d().Cargar(kCargada, kOrden);
        size_t siguiente = 0;
        int esperas = 0;
        QTimer turno;
        QObject::connect(&turno, &QTimer::timeout, [&] {
            // Keys and focus need the dialog to be the active window.
            if (!d().isVisible() || (!d().window()->isActiveWindow() && ++esperas < 500))
                return;
            if (siguiente < pasos.size())
                return pasos[siguiente++]();
            ADD_FAILURE() << "the dialog stayed open";
            d().Unload();
        });
        turno.start(10);
        d().Show(forms::ShowMode::Modal);
        EXPECT_EQ(siguiente, pasos.size());
        EXPECT_FALSE(d().isLoaded());
    }

    QWidget* w(const char* nombre) { return d().ctl(nombre).widget(); }
    QAbstractItemView* dias() { return w("MvFechaEntrega")->findChild<QAbstractItemView*>(); }
    void pulsar(const char* boton) { qobject_cast<QAbstractButton*>(w(boton))->click(); }
    void elegir(int dia) { d().monthView("MvFechaEntrega").setValue(QDate(2026, 12, dia)); }
    // Where the calendar shows a day of December 2026 (it starts on a Tuesday), in the window.
    QPoint celda(int dia) {
        QAbstractItemModel* modelo = dias()->model();
        for (int r = 1; r < modelo->rowCount(); ++r)
            for (int c = 0; c < modelo->columnCount(); ++c) {
                const QModelIndex i = modelo->index(r, c);
                if (i.data().toInt() == dia && (dia < 20 || r > 2) && (dia > 10 || r < 4))
                    return dias()->viewport()->mapTo(d().window(), dias()->visualRect(i).center());
            }
        return {};
    }
};

TEST_F(DialogoRecalendarizar, TheLoadedDayOrALaterOneIsAcceptedAndAnEarlierOneRefused) {
    // The time of day does not raise the limit: the loaded day itself passes.
    mostrar({[&] { pulsar("cmdAceptar"); }});
    EXPECT_TRUE(d().Aceptado);
    EXPECT_EQ(d().FechaSeleccionada(), QDateTime(kCargada.date(), QTime(0, 0)));
    EXPECT_TRUE(ids().isEmpty());

    // A single click only moves the focus; an earlier day is refused and the dialog stays;
    // a double click on a later day accepts it.
    mostrar({[&] {
                 QTest::mouseClick(d().window()->windowHandle(), Qt::LeftButton, {}, celda(9));
                 EXPECT_TRUE(d().isVisible());
                 EXPECT_EQ(QApplication::focusWidget(), w("cmdAceptar"));
                 pulsar("cmdAceptar");
             },
             [&] {
                 EXPECT_FALSE(d().Aceptado);
                 QTest::mouseDClick(d().window()->windowHandle(), Qt::LeftButton, {}, celda(12));
             }});
    EXPECT_TRUE(d().Aceptado);
    EXPECT_EQ(d().FechaSeleccionada().date(), QDate(2026, 12, 12));
    const auto& m = mensajes->messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(std::tuple(m[0].text, m[0].style, m[0].title, m[0].module, m[0].id),
              std::tuple("La fecha de entrega no puede ser menor a la fecha actual", 48L,
                         "Kestrova", "KT512", "ERR-ID:7500008"));
    mensajes->clear();

    mostrar({[&] {
        elegir(31);
        w("MvFechaEntrega")->setFocus();
        QTest::keyClick(dias(), Qt::Key_F4);
    }});
    EXPECT_TRUE(d().Aceptado);
    EXPECT_EQ(d().FechaSeleccionada().date(), QDate(2026, 12, 31));
}

TEST_F(DialogoRecalendarizar, EveryOtherWayOutLeavesItNotAccepted) {
    const std::pair<const char*, std::function<void()>> salidas[] = {
        {"Cancelar", [&] { pulsar("cmdCancelar"); }},
        {"Esc en el calendario",
         [&] {
             w("MvFechaEntrega")->setFocus();
             QTest::keyClick(dias(), Qt::Key_Escape);
         }},
        {"Esc en el boton", [&] { QTest::keyClick(w("cmdAceptar"), Qt::Key_Escape); }},
        {"salir de la barra",
         [&] { w("Titulo")->findChild<QAbstractButton*>("btnSalir")->click(); }},
        {"cerrar la ventana", [&] { d().window()->close(); }},
    };
    for (const auto& [como, salir] : salidas) {
        SCOPED_TRACE(como);
        // After a refused day, as after none.
        mostrar({[&] {
                     elegir(1);
                     pulsar("cmdAceptar");
                 },
                 salir});
        EXPECT_FALSE(d().Aceptado);
        EXPECT_EQ(ids(), QStringList{"ERR-ID:7500008"});
    }
}

} // namespace
