// The messages of the import, as the user reads them (UTF-8).
#pragma once

namespace celvara::mensajes {

inline constexpr const char* kFormatoNoCoincide =
    "El formato del fichero elegido no coincide\ncon el archivo seleccionado.";
inline constexpr const char* kSinMemoriaCalculo = "No hay memoria suficiente para otra linea de calculo";
inline constexpr const char* kLineaNoReconocida = "No se reconoce la linea del fichero:\n%s";
inline constexpr const char* kFaltaAlturaAparato = "Falta una altura de aparato";
// The three texts of a reading before any station data differ in their
// spacing; each reader uses its own.
inline constexpr const char* kVisualesAntesCoordenadas =
    "Se  han encontrado visuales  angulares y de\ndistancias antes de conocer las coordenadas\ndel punto de estacion.";
inline constexpr const char* kVisualesAntesDatos =
    "Se han  encontrado visuales  angulares y\nde distancias antes de conocer los datos\ndel punto de estacion.";
inline constexpr const char* kVisualesAntesDatos2 =
    "Se han  encontrado  visuales angulares y\nde distancias antes de conocer los datos\ndel punto de estacion.";
inline constexpr const char* kEstacionInventada =
    "Se han  encontrado  visuales angulares y\nde distancias antes de conocer los datos\ndel punto de estacion."
    "\n\nSe inventará una estación \"1\" con altura\ndel aparato 0.00, para poder continuar.";
inline constexpr const char* kFicheroSinDatos = "El fichero no contiene ninguna estación ni ninguna visual.";
inline constexpr const char* kCoordenadasDistintas =
    "Estas estaciones ya tenían coordenadas distintas de las del fichero; se conservan las del libro:";
// The import summary: what the import left out, one line each.
inline constexpr const char* kResumenOmitidas = "Resumen de la importación; no se importó:";
inline constexpr const char* kSueltasSinEstacion =
    "línea %zu: %s %1.3lf %1.3lf %1.3lf, solo coordenadas: no hay en la libreta una estación con ese nombre";
inline constexpr const char* kSueltasConCoordenadas =
    "línea %zu: %s %1.3lf %1.3lf %1.3lf, solo coordenadas: la estación ya tiene coordenadas en la libreta";
inline constexpr const char* kCoordenadasRepetidas =
    "%s %1.3lf %1.3lf %1.3lf: el fichero ya dio antes a esta estación %1.3lf %1.3lf %1.3lf, que se conservan";
inline constexpr const char* kFormatoNoDisponible =
    "El formato \"%s\" todavía no está disponible en esta versión.";
inline constexpr const char* kDescargaNoDisponible =
    "La descarga desde una estación o libreta todavía no está disponible en esta versión.\n"
    "Pase los datos a un fichero e impórtelo con \"Desde un Fichero\".";
inline constexpr const char* kConfiguracionNoDisponible =
    "La configuración del puerto serie todavía no está disponible en esta versión.";

}  // namespace celvara::mensajes
