// "CORRECCIONES O MODIFICACIONES A LAS LECTURAS": a thin view over
// CCorreccionesLecturas.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "output/correcciones_lecturas.h"

class QLineEdit;
class QRadioButton;

namespace celvara::ui {

class CRejilla;

class DialogoCorrecciones : public QDialog {
    Q_OBJECT
public:
    DialogoCorrecciones(CLibretaCampo& libreta, const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                        QWidget* padre = nullptr);
    // True when the open book changed.
    static bool abrir(QWidget* padre, CLibretaCampo& libreta, const CDatosGenerales& ajustes, const MapaRutas& mapa,
                      Avisos& avisos);

    CCorreccionesLecturas& logica() { return logica_; }
    CRejilla* rejilla() const { return rejilla_; }
    // "Fichero *.OBS": the chosen path, or nothing; replaceable in tests.
    std::function<std::optional<QString>()> pedirFichero;
    void corregir();
    bool libretaCambiada() const { return cambiada_; }

private:
    CCorreccionesLecturas logica_;
    const CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    CRejilla* rejilla_;
    QRadioButton* nuevo_;
    QLineEdit* fichero_;
    bool cambiada_ = false;
};

}  // namespace celvara::ui
