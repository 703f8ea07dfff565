// "DATOS GENERALES": the job data window, a thin view over
// EdicionDatosTrabajo. Entry point for the main window ("Datos del Trabajo"):
//   abrirDatosTrabajo(padre, ajustes, mapa)
#pragma once

#include <QDialog>
#include <array>

#include "datos/datos_trabajo.h"
#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace celvara::ui {

class DialogoDatosTrabajo : public QDialog {
    Q_OBJECT
public:
    DialogoDatosTrabajo(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                        QWidget* padre = nullptr);

    const EdicionDatosTrabajo& logica() const { return logica_; }

    // OK: writes the record and closes, whether the write succeeded or not.
    void aceptar();

private:
    EdicionDatosTrabajo logica_;
    std::array<QLineEdit*, 12> edits_{};
    QPlainTextEdit* observaciones_ = nullptr;
    QLabel* logo_ = nullptr;
};

void abrirDatosTrabajo(QWidget* padre, const CDatosGenerales& ajustes, const MapaRutas& mapa);

}  // namespace celvara::ui
