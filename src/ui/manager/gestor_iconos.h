// The toolbar pictures, 16 x 15 pixels, drawn rather than loaded.
#pragma once

#include <QIcon>

#include "manager/gestor_comandos.h"

namespace celvara::ui {

QIcon iconoComando(Comando id);

}  // namespace celvara::ui
