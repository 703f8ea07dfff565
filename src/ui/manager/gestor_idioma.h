// Spanish for what Qt itself shows: the file dialogs, the buttons of the
// message boxes (Sí/No/Cancelar), the context menus of the text boxes.
#pragma once

#include <QString>

class QCoreApplication;

namespace celvara::ui {

// Loads Qt's Spanish catalogue (Debian qt6-translations-l10n) into the
// application; false when it is not installed, and Qt stays in English.
// Numbers are never formatted through the locale, so only the texts change.
bool instalarIdiomaEspanol(QCoreApplication& aplicacion);

// The build date in Spanish, "6 de diciembre de 2026".
QString fechaCompilacion();

}  // namespace celvara::ui
