// "Recoger Coordenadas de ACAD...": the stations found in a drawing, one row
// each (name, X, Y, Z, whether it already has other coordinates) with a
// tick; "Aceptar" writes the ticked ones into the book. A thin view over
// import/estaciones_dxf.h.
#pragma once

#include <QDialog>
#include <vector>

#include "import/estaciones_dxf.h"

class QTableWidget;

namespace celvara::ui {

class DialogoRecogerDxf : public QDialog {
    Q_OBJECT
public:
    // Ticked at first: the stations without other coordinates, so that a
    // known base is overwritten only when the surveyor asks.
    DialogoRecogerDxf(CLibretaCampo& libreta, std::vector<EstacionEnDibujo> halladas, QWidget* padre = nullptr);
    QTableWidget* tabla() const { return tabla_; }

private:
    void aceptar();

    CLibretaCampo& libreta_;
    std::vector<EstacionEnDibujo> halladas_;
    QTableWidget* tabla_;
};

}  // namespace celvara::ui
