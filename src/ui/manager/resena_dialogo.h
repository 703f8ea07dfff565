// "Reseñas...": the description sheet of one station, a thin view over
// CResena. Kind of mark, the two descriptions, the sketch text, the
// photograph and the sketch picture (chosen through the drive mapping, kept
// in the record's C:\ form), "Vista previa" through the listings window,
// Aceptar / Cancelar.
#pragma once

#include <QDialog>

#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "manager/resena.h"
#include "ui/comun/dialogo_fichero_qt.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace celvara::ui {

class DialogoResena : public QDialog {
    Q_OBJECT
public:
    DialogoResena(CResena& logica, const CDatosGenerales& ajustes, const MapaRutas& mapa, QWidget* padre = nullptr);

    void accept() override;
    // The fields as typed, into the core.
    void leerCampos();

private:
    QWidget* crearImagen(bool foto);
    void elegirImagen(bool foto);
    void mostrarImagen(bool foto);
    void vistaPrevia();

    CResena& logica_;
    const CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    LugarFicheros lugar_;
    QComboBox* tipo_ = nullptr;
    QLineEdit* descripcion1_ = nullptr;
    QLineEdit* descripcion2_ = nullptr;
    QPlainTextEdit* croquis_ = nullptr;
    QLabel* imagenFoto_ = nullptr;
    QLabel* imagenCroquis_ = nullptr;
    QLabel* rutaFoto_ = nullptr;
    QLabel* rutaCroquis_ = nullptr;
};

// The reseña of `estacion` from the main window; true when accepted.
bool abrirResena(QWidget* padre, CDocumentoObservaciones& documento, const Estacion& estacion,
                 const MapaRutas& mapa);

}  // namespace celvara::ui
