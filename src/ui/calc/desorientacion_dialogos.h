// Windows "CALCULO DE DESORIENTACIONES" (one set-up) and "CALCULO
// DESORIENTACIONES" (every set-up): thin views over CCalculoDesorientacion
// and CCalculoDesorientaciones.
#pragma once

#include <QDialog>
#include <functional>

#include "calc/desorientacion_individual.h"
#include "calc/desorientaciones_todas.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;

namespace celvara::ui {

class CRejilla;
class PlanoEstaciones;

class DialogoDesorientacion : public QDialog {
    Q_OBJECT
public:
    DialogoDesorientacion(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                          QWidget* padre = nullptr);

    // Opens on a station and set-up; "Guardar" also writes into `resultado`.
    void abrirPara(const Estacion* estacion, const Estacionamiento* estacionamiento, double* resultado = nullptr);

    // Runs the window modally.
    static void abrir(QWidget* padre, CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                      const Estacion* estacion = nullptr, const Estacionamiento* estacionamiento = nullptr,
                      double* resultado = nullptr);

    CCalculoDesorientacion& logica() { return logica_; }
    // Asks for the report file (host path, empty: cancelled); replaceable in tests.
    std::function<QString(QWidget*)> pedirFicheroInforme;
    // Shows a written report; replaceable in tests.
    std::function<void(const QString&)> mostrarInforme;
    // Shows a notice; replaceable in tests.
    std::function<void(const QString&)> avisar;

    void pulsarCalcular();
    void pulsarDesor();
    void pulsarMedia();
    void pulsarGuardar();
    void pulsarImprimir();
    void pulsarAnadir();

private:
    // The station, set-up and sighted lists; the buttons; the signals.
    QGridLayout* construirIzquierda();
    QHBoxLayout* construirBotones();
    void conectar();
    void estacionElegida(int indice);
    void estacionamientoElegido(int indice);
    void refrescarTextos();

    CCalculoDesorientacion logica_;
    const MapaRutas& mapa_;
    QComboBox* estaciones_;
    QComboBox* estacionamientos_;
    QListWidget* visadas_;
    QLabel* estacion_;
    QLabel* x_;
    QLabel* y_;
    QLabel* z_;
    QLabel* visadaX_;
    QLabel* visadaY_;
    QLabel* visadaZ_;
    CRejilla* rejilla_;
    QLineEdit* desorientacion_;
    QLabel* estadistica_;
    PlanoEstaciones* plano_;
};

class DialogoDesorientaciones : public QDialog {
    Q_OBJECT
public:
    DialogoDesorientaciones(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                            QWidget* padre = nullptr);
    static void abrir(QWidget* padre, CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa);

    CCalculoDesorientaciones& logica() { return logica_; }
    CRejilla* rejilla() const { return rejilla_; }
    // Opens the individual window on a row; replaceable in tests.
    std::function<void(Estacion*, Estacionamiento*)> abrirIndividual;

    void pulsarCalcular();
    void pulsarGrabar();
    void dobleClic(int fila);

private:
    CCalculoDesorientaciones logica_;
    CRejilla* rejilla_;
};

}  // namespace celvara::ui
