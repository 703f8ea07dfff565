// The about box "Acerca de Celvara": version and build date.
#pragma once

#include <QString>
#include <QWidget>

namespace celvara::ui {

QString textoAcercaDe();
void mostrarAcercaDe(QWidget* padre);

}  // namespace celvara::ui
