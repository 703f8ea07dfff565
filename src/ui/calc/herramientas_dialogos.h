// CALCULAR › HERRAMIENTAS: "Recalculo: Helmert 2D + h" and "Refinamiento
// Puntos", thin views over herramientas/helmert.h and herramientas/refinamiento.h.
// Paths in their edits are host paths; reports go to the settings' reports
// file and are shown as every window shows them.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "datos/instrumentos.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "herramientas/helmert.h"
#include "herramientas/refinamiento.h"
#include "ui/comun/ventana_calculo.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace celvara::ui {

class DialogoHelmert : public QDialog, public AbrirCalculo<DialogoHelmert> {
    Q_OBJECT
public:
    DialogoHelmert(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                   QWidget* padre = nullptr);

    // Replaceable in tests: a coordinate file to open or save (host path,
    // empty: cancelled), and the showing of a written report.
    std::function<QString(bool guardar, const QString& titulo)> pedirFichero;
    std::function<void(const QString& ruta)> mostrarInforme;

    QLineEdit* origen() const { return origen_; }
    QLineEdit* destino() const { return destino_; }
    QCheckBox* deLaLibreta() const { return libretaOrigen_; }
    QCheckBox* sinEscala() const { return sinEscala_; }
    QTableWidget* tabla() const { return tabla_; }
    QLabel* parametros() const { return parametros_; }
    const ResultadoHelmert& resultado() const { return resultado_; }

    // "Puntos comunes": the points of both sets by name, all ticked.
    bool buscarComunes();
    // "CALCULAR" with the ticked points.
    bool calcular();
    // "APLICAR A FICHERO...": a file carried through the result into a new one.
    bool aplicar();
    void informe();

private:
    bool leer(EntradaHelmert& e);

    CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    Avisos& avisos_;
    QLineEdit* origen_;
    QLineEdit* destino_;
    QCheckBox* libretaOrigen_;
    QCheckBox* sinEscala_;
    QTableWidget* tabla_;
    QLabel* parametros_;
    ResultadoHelmert resultado_;
    bool calculado_ = false;
};

class DialogoRefinamiento : public QDialog, public AbrirCalculo<DialogoRefinamiento> {
    Q_OBJECT
public:
    DialogoRefinamiento(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                        QWidget* padre = nullptr);

    std::function<QString(bool guardar, const QString& titulo)> pedirFichero;
    std::function<void(const QString& ruta)> mostrarInforme;

    QLineEdit* destino() const { return destino_; }
    QTableWidget* tabla() const { return tabla_; }
    QPlainTextEdit* errores() const { return errores_; }
    const ResultadoRefinamiento& resultado() const { return resultado_; }

    bool calcular();
    // "GRABAR": the refined points into the coordinate file of the edit.
    bool grabar();
    void informe();

private:
    CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    Avisos& avisos_;
    ListaInstrumentos biblioteca_;
    bool hayBiblioteca_ = false;
    EleccionInstrumento instrumentos_;
    QLineEdit* destino_;
    QTableWidget* tabla_;
    QPlainTextEdit* errores_;
    ResultadoRefinamiento resultado_;
};

}  // namespace celvara::ui
