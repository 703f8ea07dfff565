// Windows of the station computation: by least squares ("Modo Automático"),
// semi-automatic, its results and the calculation table. Thin views over
// CCalculoEstacionMMCC, CCalculoEstacionSemi, CResultadoEstacion and
// CTablaCalculo.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "calc/estacion_mmcc.h"
#include "calc/resultado_estacion.h"
#include "calc/tabla_calculo.h"
#include "fieldbook/rutas.h"
#include "ui/comun/ventana_calculo.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTabWidget;

namespace celvara::ui {

class CRejilla;

class DialogoEstacionMmcc : public QDialog, public AbrirCalculo<DialogoEstacionMmcc> {
    Q_OBJECT
public:
    DialogoEstacionMmcc(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                        QWidget* padre = nullptr);

    CCalculoEstacionMMCC& logica() { return logica_; }
    InformeEstacionQt informe;
    // "Aprox", "Matrices" and "Pesos" open other windows; replaceable in tests.
    std::function<void()> aprox;
    std::function<void()> matrices;
    // Set by whoever opens this window: the errors and weights window is
    // a tolerance window, a layer above the computations.
    std::function<void()> pesos;

    void elegirEstacion(const QString& nombre);
    void pulsarCalcular();
    void pulsarReset();
    void pulsarGrabar();
    void pulsarImprimir();

private:
    void leerEdits();
    void refrescar();

    bool cargada_ = false;
    ListaInstrumentos instrumentos_;
    CCalculoEstacionMMCC logica_;
    CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    Avisos& avisos_;
    QComboBox* estaciones_;
    QLineEdit* x_;
    QLineEdit* y_;
    QLineEdit* z_;
    QLineEdit* desorientacion_;
    QPushButton* botonAprox_;
    QLabel* iteraciones_;
    QLabel* resumen_;
    CRejilla* rejilla_;
};

class DialogoResultadoEstacion : public QDialog {
    Q_OBJECT
public:
    DialogoResultadoEstacion(CDatosGenerales& ajustes, Estacion& estacion,
                             const std::array<ListaSoluciones, kMetodosEstacion>& soluciones, const MapaRutas& mapa,
                             Avisos& avisos, QWidget* padre = nullptr);

    CResultadoEstacion& logica() { return logica_; }
    InformeEstacionQt informe;
    std::function<void()> desorien;

    void elegirPestana(int pestana);
    void elegirFila(int fila);
    void pulsarPromediar();
    void pulsarGuardar();
    void pulsarImprimir();

private:
    void refrescarTextos();

    CResultadoEstacion logica_;
    const MapaRutas& mapa_;
    QTabBar* pestanas_;
    CRejilla* rejilla_;
    QLabel* imagen_;
    std::array<QLabel*, 5> elipse_;
    QCheckBox* ponderado_;
    std::array<QCheckBox*, kMetodosEstacion> promediar_;
    QLineEdit* x_;
    QLineEdit* y_;
    QLineEdit* z_;
    QLineEdit* precision_;
};

class DialogoEstacionSemi : public QDialog, public AbrirCalculo<DialogoEstacionSemi> {
    Q_OBJECT
public:
    DialogoEstacionSemi(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                        QWidget* padre = nullptr);
    // Hidden first: a shown grid asks its headers of the logic, gone by QDialog's own destructor.
    ~DialogoEstacionSemi() override { hide(); }

    CCalculoEstacionSemi& logica() { return logica_; }
    // Runs the result window; replaceable in tests.
    std::function<void(DialogoResultadoEstacion&)> mostrarResultado;

    void elegirEstacion(const QString& nombre);
    void cargar(MetodoEstacion metodo);
    void pulsarCalcular();

private:
    bool cargada_ = false;
    ListaInstrumentos instrumentos_;
    CCalculoEstacionSemi logica_;
    CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    Avisos& avisos_;
    QComboBox* estaciones_;
    std::array<CRejilla*, kMetodosEstacion> rejillas_;
};

class DialogoTablaCalculo : public QDialog {
    Q_OBJECT
public:
    explicit DialogoTablaCalculo(CLibretaCampo& libreta, QWidget* padre = nullptr);
    static bool abrir(QWidget* padre, CLibretaCampo& libreta);
    CTablaCalculo& logica() { return logica_; }
    void pulsarAceptar();

private:
    CTablaCalculo logica_;
    CRejilla* rejilla_;
};

}  // namespace celvara::ui
