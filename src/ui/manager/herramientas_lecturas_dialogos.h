// The reading tools' windows: "CAMBIAR DE ESTACION", "FUNDIR-UNIR
// ESTACIONAMIENTOS", "OPCIONES DE LECTURAS", "LISTADO DE VISUALES REPETIDAS"
// and "DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO"; thin views over the
// classes of manager/herramientas_lecturas.h.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <utility>

#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "manager/herramientas_lecturas.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace celvara::ui {

class CRejilla;

class DialogoCambiarEstacion : public QDialog {
    Q_OBJECT
public:
    DialogoCambiarEstacion(CLibretaCampo& libreta, Estacion& estacion, Estacionamiento& s, Avisos& avisos,
                           QWidget* padre = nullptr);
    // The station and set-up to select afterwards (unchanged when nothing was done).
    static std::pair<Estacion*, Estacionamiento*> abrir(QWidget* padre, CLibretaCampo& libreta, Estacion& estacion,
                                                        Estacionamiento& s, Avisos& avisos);
    std::optional<std::pair<Estacion*, Estacionamiento*>> resultado;

private:
    CCambiarEstacion logica_;
    QListWidget* lista_;
    QLabel* datos_;
};

class DialogoUnirEstacionamientos : public QDialog {
    Q_OBJECT
public:
    DialogoUnirEstacionamientos(Estacion& estacion, Estacionamiento& s, Avisos& avisos, QWidget* padre = nullptr);
    // The set-up that received the readings, or nothing.
    static Estacionamiento* abrir(QWidget* padre, Estacion& estacion, Estacionamiento& s, Avisos& avisos);
    Estacionamiento* resultado = nullptr;

private:
    void unir();
    CUnirEstacionamientos logica_;
    QListWidget* lista_;
    QLabel* datos_;
    QRadioButton* hYJalon_;
    QRadioButton* soloH_;
    QRadioButton* porLecturas_;
    QLineEdit* inicial_;
    QLineEdit* final_;
};

class DialogoOpcionesLecturas : public QDialog {
    Q_OBJECT
public:
    DialogoOpcionesLecturas(CLibretaCampo& libreta, Estacion& estacion, Estacionamiento& s, Avisos& avisos,
                            QWidget* padre = nullptr);
    static void abrir(QWidget* padre, CLibretaCampo& libreta, Estacion& estacion, Estacionamiento& s, Avisos& avisos);
    // Opens "LISTADO DE VISUALES REPETIDAS"; replaceable in tests.
    std::function<void()> abrirRepetidas;

private:
    void leerRango();
    COpcionesLecturas logica_;
    QListWidget* lista_;
    QLabel* datos_;
    QLineEdit* desde_;
    QLineEdit* hasta_;
    QPushButton* cuantos_;
};

class DialogoVisualesRepetidas : public QDialog {
    Q_OBJECT
public:
    DialogoVisualesRepetidas(Estacion& estacion, Estacionamiento& s, Avisos& avisos, QWidget* padre = nullptr);
    CVisualesRepetidas& logica() { return logica_; }

private:
    void rellenarNombres();
    CVisualesRepetidas logica_;
    QListWidget* nombres_;
    CRejilla* rejilla_;
    CRejilla* promedio_;
};

class DialogoDatosComplementarios : public QDialog {
    Q_OBJECT
public:
    DialogoDatosComplementarios(Estacionamiento& s, QWidget* padre = nullptr);
    // True when OK stored the fields.
    static bool abrir(QWidget* padre, Estacionamiento& s, const CDatosGenerales& ajustes, const MapaRutas& mapa);
    // "INSTRUMENTO": the chosen name, or nothing; replaceable in tests.
    std::function<std::optional<QString>(const QString& actual)> elegirInstrumento;
    void aceptar();

private:
    // The angle and distance units, kinds and correction flags; the texts.
    QVBoxLayout* construirTipos(const FormularioDatosComplementarios& f);
    QFormLayout* construirFormulario(const FormularioDatosComplementarios& f);
    Estacionamiento& s_;
    QComboBox* angular_;
    QComboBox* distancia_;
    QButtonGroup* tipoDistancia_;
    QButtonGroup* tipoVertical_;
    QCheckBox* esfRefr_;
    QCheckBox* tempPres_;
    QLineEdit* instrumento_;
    QLineEdit* operador_;
    QLineEdit* dia_;
    QLineEdit* hora_;
    QLineEdit* comentarios_;
};

}  // namespace celvara::ui
