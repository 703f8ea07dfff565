// Window "NIVELACION": a thin view over CNivelacion, with its menus for the
// line file, the adjustment, the tolerance and the report.
#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "traverse/nivelacion.h"
#include "ui/comun/ventana_calculo.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QMenuBar;

namespace celvara::ui {

class CRejilla;

// The levelling report alone, beside the reports file that gathers them all.
inline constexpr const char* kInformeNivelacion = "informe_nivelacion.txt";

class DialogoNivelacion : public QDialog, public AbrirCalculo<DialogoNivelacion> {
    Q_OBJECT
public:
    DialogoNivelacion(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                      QWidget* padre = nullptr);
    ~DialogoNivelacion() override;

    CNivelacion& logica() { return logica_; }
    CRejilla* rejilla() const { return rejilla_; }
    double k() const { return k_; }

    // Replaceable in tests: the line file to open or save (host path, empty:
    // cancelled), the k asked by "Configurar Ajuste Líneas", and the
    // showing of a written report.
    std::function<QString(bool guardar)> pedirFichero;
    std::function<std::optional<double>(double actual)> pedirK;
    std::function<void(const QString& ruta)> mostrarInforme;
    // The digital level's GSI file to import (host path, empty: cancelled).
    std::function<QString()> pedirFicheroGsi;

    // Menu entries.
    void nuevo();
    void abrirFichero();
    void importarDatos();
    bool grabarFichero();
    bool grabarComo();
    void configurarAjuste();
    void ajustar();
    void calcularTolerancias();
    void informe();
    // Buttons.
    void recogerCota();
    void grabarCota();

protected:
    void done(int resultado) override;

private:
    void leerK();
    QMenuBar* crearMenus();
    QLayout* crearEstaciones();
    QLayout* crearVistas();
    QLayout* crearBotones();
    void conectar();
    void prepararPeticiones();
    void leerCotas();
    void mostrarEstaciones();
    void refrescar();
    bool cambiosAtendidos();
    void actualizarTitulo();

    CNivelacion logica_;
    CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    Avisos& avisos_;
    std::optional<std::filesystem::path> rutaIni_;
    double k_ = kToleranciaKPorDefecto;
    std::filesystem::path ruta_;  // the line file, empty until saved or opened
    CRejilla* rejilla_;
    QComboBox* salida_;
    QComboBox* llegada_;
    QLineEdit* cotaSalida_;
    QLineEdit* cotaLlegada_;
    QLabel* cierre_;
};

}  // namespace celvara::ui
