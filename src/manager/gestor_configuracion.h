// The property sheet "PANTALLA DE CONFIGURACION" as data: its three pages
// ("CALCULO", "IMPORTAR", "VARIOS") hold the texts and choices their
// controls show, filled from the settings when the sheet opens and written
// back only when it closes with OK. Texts are UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "fieldbook/datos_generales.h"
#include "fieldbook/libreta.h"

namespace celvara {

class DialogosGestor;

inline constexpr const char* kTitulosProyeccion[] = {"PLANAS", "UTM HAYFORD", "UTM WGS-84"};

// Page "CALCULO" (dialog 154).
class CConfigCalculo {
public:
    explicit CConfigCalculo(const CDatosGenerales& ajustes);

    int proyeccion = 0;                // 1148: item index = value
    int huso = kHusoPorDefecto;        // the job's UTM zone, 1-60
    int datum = 0;                     // the job's Datum, in the order of kNombresDatum
    std::string escalaAdicional;       // 1134, "%1.10lf"
    std::string coeficiente;           // 1149, disabled, "%f"
    std::string radioTerrestre;        // 1156, disabled, "%f"
    std::string desplazamientoLongitudinal, desplazamientoTransversal, desplazamientoAltura;  // 1150-1152, disabled
    std::string precisionX, precisionY, precisionZ;  // 1153-1155
    std::string ficheroInformes;                     // 1222

    // The projection and the datum follow each other: Hayford is ED50, a
    // GRS80 or WGS84 datum is UTM WGS-84 (the field of the settings file).
    void elegirProyeccion(int indice);
    void elegirDatum(int indice);

    // "R.Elip": the reduction factor computed by its dialog goes into 1134.
    void fijarFactorElipsoide(double factor);
    // Button 1163: a file dialog; a chosen non-empty path goes into 1222.
    void elegirFicheroInformes(DialogosGestor& dialogos, std::string_view directorioInicial);

    void aplicar(CDatosGenerales& ajustes) const;

private:
    std::string escalaMostrada_, coeficienteMostrado_, radioMostrado_;
};

// The controls shared by the page "IMPORTAR" and the set-up's
// "DATOS COMPLEMENTARIOS" dialog.
struct EdicionDatosComplementarios {
    std::string instrumento;  // 1087
    std::string operador;     // 1088
    std::string dia;          // 1089
    std::string hora;         // 1090
    std::string temperatura;  // 1091, disabled, "%i"
    std::string presion;      // 1092, disabled, "%i"
    std::string ppm;          // 1093, disabled, "%i"
    std::string comentarios;  // 1104
    int tipoDistancia = 0;    // "GEOMETRICAS", "GENERADORES", "Reducidas/Desnivel", "Reducidas/Vertical"
    int tipoVertical = 0;     // "ZENITAL", "INCLINACION", "NADIRAL"
    int indiceAngular = 0;    // 1050: 0 "Centesimal" (400), 1 "Sexagesimal" (360)
    int indiceDistancia = 0;  // 1051: 0 "Metros", 1 "Yardas"
    bool corregidoEsfRefr = false;   // 1061
    bool corregidoTempPres = false;  // 1062, disabled

    static EdicionDatosComplementarios desde(const DatosComplementarios& datos);
    // Texts cut to their fields, numbers as integers, 400 or 360 from the angle list.
    void aplicar(DatosComplementarios& datos) const;
    // "INSTRUMENTO": a non-empty chosen name goes into 1087.
    void elegirInstrumento(const std::optional<std::string>& nombre);
};

// Page "IMPORTAR" (dialog 153): the default complementary data of new set-ups.
class CConfigImportar {
public:
    explicit CConfigImportar(const CDatosGenerales& ajustes);
    EdicionDatosComplementarios datos;
    void aplicar(CDatosGenerales& ajustes) const;
};

// Page "VARIOS" (dialog 155).
class CConfigVarios {
public:
    explicit CConfigVarios(const CDatosGenerales& ajustes);

    bool dibujarEstaciones = true;  // 1165
    bool dibujarPuntos = false;     // 1164
    bool dibujarVisuales = false;   // 1063
    std::string ficheroInstrumentos;   // 1157
    std::string ficheroDatosTrabajo;   // 1158
    std::string ficheroLogoEmpresa;    // 1159
    int idioma = 0;                    // 1160: "CASTELLANO" only
    // The three colours, shown in their swatches and not edited.
    std::array<std::uint32_t, 3> colores{};

    void aplicar(CDatosGenerales& ajustes) const;
};

class CConfiguracion {
public:
    explicit CConfiguracion(const CDatosGenerales& ajustes)
        : calculo(ajustes), importar(ajustes), varios(ajustes) {}

    static constexpr const char* kTitulo = "PANTALLA DE CONFIGURACION";

    CConfigCalculo calculo;
    CConfigImportar importar;
    CConfigVarios varios;

    // OK: every page writes its fields into the settings.
    void aceptar(CDatosGenerales& ajustes) const;
};

}  // namespace celvara
