// The traverse workbench "CALCULO DE POLIGONALES" and the dialogs it opens:
// "RECOGER OBSERVACIONES DE LA BASE DE DATOS", "REFERENCIAR POLIGONAL" and
// "CONFIGURAR POLIGONAL". Thin views over traverse/recoger_observaciones.h
// and traverse/calculo_poligonales.h.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "fieldbook/rutas.h"
#include "output/listado_poligonal.h"
#include "traverse/calculo_poligonales.h"
#include "traverse/recoger_observaciones.h"
#include "ui/comun/ventana_calculo.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLayout;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QToolBar;

namespace celvara::ui {

class CRejilla;

class DialogoRecogerObservaciones : public QDialog {
    Q_OBJECT
public:
    DialogoRecogerObservaciones(const CLibretaCampo& libreta, FilasPoligonal& filas, ReferenciaPoligonal& ref,
                                Avisos& avisos, QWidget* padre = nullptr);
    CRecogerObservaciones& logica() { return logica_; }
    // False when there was nothing to walk (the message is shown).
    bool preparado() const { return preparado_; }

    QComboBox* salida() const { return salida_; }
    QListWidget* recorrido() const { return recorrido_; }
    QListWidget* estacionamientos() const { return estacionamientos_; }
    QListWidget* visadas() const { return visadas_; }
    void anadir();
    void finalizar();

private:
    void mostrar();

    CRecogerObservaciones logica_;
    bool preparado_ = false;
    QComboBox* salida_;
    QListWidget* recorrido_;
    QListWidget* estacionamientos_;
    QListWidget* visadas_;
    std::array<QRadioButton*, 3> tipos_{};
    std::array<QCheckBox*, 3> bessel_{};
};

class DialogoReferenciarPoligonal : public QDialog {
    Q_OBJECT
public:
    DialogoReferenciarPoligonal(const CLibretaCampo& libreta, ReferenciaPoligonal& ref, Avisos& avisos,
                                double circulo, QWidget* padre = nullptr);
    CReferenciarPoligonal& logica() { return logica_; }
    QLineEdit* campo(bool llegada, int indice) const { return campos_[llegada][indice]; }
    void aceptar();

private:
    struct BotonesExtremo {
        QPushButton *estacion = nullptr, *estacionamiento = nullptr, *referencia = nullptr;
    };
    QGroupBox* crearExtremo(int e);
    QGroupBox* crearOrientacion(int e, QWidget* grupo, BotonesExtremo& botones);
    QHBoxLayout* conBoton(int e, int k, const QString& nombre, QPushButton*& boton);
    void conectarExtremo(int e, const BotonesExtremo& botones);
    void elegirDeEstaciones(int e, bool referencia);
    void leer();
    void mostrar();
    CReferenciarPoligonal::Extremo& extremo(int e) { return e == 0 ? logica_.partida : logica_.llegada; }

    CReferenciarPoligonal logica_;
    // Station, X, Y, Z, reference, azimuth, reading, orientation of each end.
    std::array<std::array<QLineEdit*, 8>, 2> campos_{};
};

// The station-data fields of a traverse row (or of the defaults for rows
// typed by hand).
class CamposDatosEstacion : public QWidget {
    Q_OBJECT
public:
    CamposDatosEstacion(const DatosComplementarios& datos, QWidget* padre);
    DatosComplementarios leer() const;

private:
    DatosComplementarios datos_;
    QComboBox *distancias_, *vertical_, *unidad_, *unidadDistancia_;
    QLineEdit *instrumento_, *operador_, *dia_, *hora_, *temperatura_, *presion_, *ppm_, *comentarios_;
    QCheckBox *esfRefr_, *tempPres_;
};

class DialogoConfigurarPoligonal : public QDialog {
    Q_OBJECT
public:
    DialogoConfigurarPoligonal(CCalculoPoligonales& logica, const CDatosGenerales& ajustes, QWidget* padre = nullptr);
    void aceptar();

private:
    CCalculoPoligonales& logica_;
    QComboBox *metodo_, *proyeccion_, *decimales_;
    QLineEdit* escala_;
    CamposDatosEstacion* datos_;
};

// "DATOS COMPLEMENTARIOS A LA ESTACION DE LA POLIGONAL": one row's station data.
class DialogoDatosEstacionPoligonal : public QDialog {
    Q_OBJECT
public:
    DialogoDatosEstacionPoligonal(EstacionPoligonal& fila, QWidget* padre = nullptr);
    void aceptar();

private:
    EstacionPoligonal& fila_;
    CamposDatosEstacion* datos_;
};

class DialogoCalculoPoligonales : public QDialog, public AbrirCalculo<DialogoCalculoPoligonales> {
    Q_OBJECT
public:
    DialogoCalculoPoligonales(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                              Avisos& avisos, QWidget* padre = nullptr);
    ~DialogoCalculoPoligonales() override;

    CCalculoPoligonales& logica() { return logica_; }
    CRejilla* rejilla() const { return rejilla_; }
    QToolBar* barra() const { return barra_; }

    // Replaceable in tests: the sub-dialogs are run through these (true: OK).
    std::function<bool(QDialog&)> ejecutar;
    // Opens the field sheet's pages in "IMPRIMIR" (set by the main window).
    std::function<void(const std::string& nombre, std::vector<Pagina> paginas)> abrirListado;

    // Menu, toolbar and buttons.
    void nuevo();
    void abrirFichero();
    void grabar();
    void grabarComo();
    void imprimir();
    void configurar();
    void enlazar();
    void referenciar();
    void calcular();
    void tolerancias();
    void datosAuxiliares();

protected:
    void done(int resultado) override;

private:
    QMenuBar* crearMenus();
    void llenarBarra();
    QLayout* crearCabecera();
    void conectar();
    void prepararPeticiones();
    void mostrar();
    void leerBessel();

    CCalculoPoligonales logica_;
    CLibretaCampo& libreta_;
    CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    Avisos& avisos_;
    CRejilla* rejilla_;
    QToolBar* barra_;
    std::array<QRadioButton*, 3> tipos_{};
    std::array<QCheckBox*, 3> bessel_{};
    QComboBox* metodo_ = nullptr;
};

}  // namespace celvara::ui
