// Spanish for what Qt itself shows: the file dialogs, the buttons of the
// message boxes (Sí/No/Cancelar), the context menus of the text boxes.
#pragma once

#include <QString>
#include <QStringList>

class QApplication;

namespace celvara::ui {

// Loads Qt's Spanish catalogue (Debian qt6-translations-l10n) into the
// application, with the few texts it lacks ("Carpeta" in the file dialogs),
// makes Spanish the default locale and shows the dates of the file dialogs
// in Spanish; false when the catalogue is not found, and Qt's own buttons
// stay in English. Numbers are never formatted through the locale, so only
// the texts change.
bool instalarIdiomaEspanol(QApplication& aplicacion);

// Where the catalogue is looked for, in order: Qt's translations folder
// (qt.conf of the installed Windows program points it to
// share\qt6\translations), a "translations" folder beside the program, and
// share/qt6/translations of a program unpacked without its qt.conf.
QStringList carpetasCatalogos();

// The build date in Spanish, "6 de diciembre de 2026".
QString fechaCompilacion();

}  // namespace celvara::ui
