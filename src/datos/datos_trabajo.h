// The job data: one 1513-byte record describing the company and the job
// (datos_empresa.prt), shown and edited in "DATOS GENERALES". Every field is
// text; the remarks are multi-line with CR LF line ends.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "fieldbook/avisos.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/rutas.h"
#include "fieldbook/texto_fijo.h"

namespace celvara {

namespace imagen::datosTrabajo {
inline constexpr std::size_t empresa = 0, direccion = 50, provinciaEmpresa = 120, telefonos = 160,
                             titulo = 180, zona = 240, terminoMunicipal = 300, provinciaTrabajo = 360,
                             cliente = 400, observaciones = 460, codigo = 1484, fechaInicio = 1489,
                             fechaFin = 1501, tamano = 1513;
static_assert(direccion == empresa + 50 && provinciaEmpresa == direccion + 70 &&
              telefonos == provinciaEmpresa + 40 && titulo == telefonos + 20 && zona == titulo + 60 &&
              terminoMunicipal == zona + 60 && provinciaTrabajo == terminoMunicipal + 60 &&
              cliente == provinciaTrabajo + 40 && observaciones == cliente + 60 &&
              codigo == observaciones + 1024 && fechaInicio == codigo + 5 && fechaFin == fechaInicio + 12 &&
              tamano == fechaFin + 12);
}  // namespace imagen::datosTrabajo

struct DatosTrabajo {
    TextoFijo<50> empresa;            // 1000 "EMPRESA :"
    TextoFijo<70> direccion;          // 1001 "Dirección   :"
    TextoFijo<40> provinciaEmpresa;   // 1002 "Provincia   :"
    TextoFijo<20> telefonos;          // 1003 "Tfns. FAX  :"
    TextoFijo<60> titulo;             // 1004 "TITULO     :"
    TextoFijo<60> zona;               // 1005 "Zona          :"
    TextoFijo<60> terminoMunicipal;   // 1011 "T. Municipal  :"
    TextoFijo<40> provinciaTrabajo;   // 1006 "Provincia   :"
    TextoFijo<60> cliente;            // 1012 "CLIENTE   :"
    TextoFijo<1024> observaciones;    // 1009 "Observaciones:", CR LF line ends
    TextoFijo<5> codigo;              // 1013 "Código         :"
    TextoFijo<12> fechaInicio;        // 1010 "Fecha Inicio :"
    TextoFijo<12> fechaFin;           // 1008 "Fecha Fin     :"

    friend bool operator==(const DatosTrabajo&, const DatosTrabajo&) = default;
};

// The placeholder record used when there is no job data file: neutral
// company texts, every job field empty.
DatosTrabajo datosTrabajoPorDefecto();

// Exactly 1513 bytes.
std::string imagenDatosTrabajo(const DatosTrabajo& datos);
void leerImagenDatosTrabajo(const unsigned char* origen, DatosTrabajo& datos);

// Reads the first 1513 bytes of a host file; false when it cannot be opened
// or is shorter, leaving `datos` as it was.
bool leerDatosTrabajo(DatosTrabajo& datos, const std::filesystem::path& ruta);
// Writes exactly 1513 bytes (a longer file is replaced), atomically. An
// existing file that cannot be opened for writing is refused and left alone.
bool escribirDatosTrabajo(const DatosTrabajo& datos, const std::filesystem::path& ruta);

std::filesystem::path rutaDatosTrabajo(const CDatosGenerales& ajustes, const MapaRutas& mapa);

// Line ends of the remarks: CR LF in the record, a bare LF in a text widget.
std::string observacionesParaVista(std::string_view registro);
std::string observacionesParaRegistro(std::string_view vista);

inline constexpr const char* kLogoPorDefecto = "c:\\trabajos\\vestrum\\logo.bmp";

// The controls of "DATOS GENERALES" as the user sees them (Windows-1252).
struct CamposDatosTrabajo {
    std::string empresa, direccion, provinciaEmpresa, telefonos, titulo, zona, terminoMunicipal,
        provinciaTrabajo, cliente, observaciones, codigo, fechaInicio, fechaFin;

    friend bool operator==(const CamposDatosTrabajo&, const CamposDatosTrabajo&) = default;
};

CamposDatosTrabajo camposDeDatosTrabajo(const DatosTrabajo& datos);
// Each field cut to its size.
DatosTrabajo datosTrabajoDeCampos(const CamposDatosTrabajo& campos);

// "DATOS GENERALES" without a screen. The remarks field holds the record's
// CR LF line ends; the view converts them for its widget.
class EdicionDatosTrabajo {
public:
    EdicionDatosTrabajo(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos);

    // Reads the record from the settings' path; when it cannot be read, tells
    // so and shows the placeholder record.
    void abrir();

    CamposDatosTrabajo& campos() { return campos_; }
    const CamposDatosTrabajo& campos() const { return campos_; }
    // Windows path of the company bitmap: the settings' path, or the default.
    std::string logo() const;

    // OK: writes the record; "Error al grabar los datos" when that fails.
    // The window closes either way. Cancel writes nothing.
    bool aceptar();

private:
    const CDatosGenerales& ajustes_;
    const MapaRutas& mapa_;
    Avisos& avisos_;
    CamposDatosTrabajo campos_;
};

}  // namespace celvara
