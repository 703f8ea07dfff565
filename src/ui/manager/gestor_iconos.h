// The toolbar pictures, 16 x 15 pixels, drawn rather than loaded.
#pragma once

#include <QIcon>

namespace celvara::ui {

QIcon iconoComando(int id);

}  // namespace celvara::ui
