// "Dibujar Proyecto ...": the whole project in a window of its own, with the
// view flags of the settings. It changes nothing in the field book.
#pragma once

#include <QDialog>

#include "manager/gestor_dibujo.h"

namespace celvara::ui {

class PanelDibujo;

class VentanaDibujo : public QDialog {
    Q_OBJECT
public:
    VentanaDibujo(const EntradasDibujo& entradas, QWidget* padre = nullptr);
    PanelDibujo* panel() const { return panel_; }

private:
    PanelDibujo* panel_;
};

}  // namespace celvara::ui
