// "RESULTADO DEL CALCULO DE LA POLIGONAL": a thin view over
// CResultadoPoligonal (tabbed grid, summary and its four buttons).
#pragma once

#include <QDialog>
#include <functional>

#include "traverse/resultado_poligonal.h"

class QLabel;
class QPushButton;
class QTabBar;

namespace celvara::ui {

class CRejilla;

class DialogoResultadoPoligonal : public QDialog {
    Q_OBJECT
public:
    // The core class has been opened (computed) by the caller.
    DialogoResultadoPoligonal(CResultadoPoligonal& logica, CLibretaCampo& libreta, QWidget* padre = nullptr);

    // Asks for the report file; empty: cancelled. Replaceable in tests.
    std::function<QString()> elegirInforme;
    // Shows the written report. Replaceable in tests.
    std::function<void(const QString&)> mostrarInforme;

    void elegirPestana(int pestana);
    void pulsarImprimir();
    void pulsarGrabar();

private:
    CResultadoPoligonal& logica_;
    CLibretaCampo& libreta_;
    QTabBar* pestanas_;
    CRejilla* rejilla_;
    QLabel* resumen_;
};

}  // namespace celvara::ui
