#include "import/formatos.h"

#include <array>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/mensajes_importacion.h"

namespace celvara {

namespace {

// Filter names and patterns keep their trailing blanks: the filter string is
// built from them as they are.
constexpr std::array<FormatoImportacion, kNumeroFormatos> kTabla{{
    {0, "CASIO FX-850 880P ASCII del Programa", "CASIO FX-850 880P (*.cas) ", "*.cas", &leerTopcal, false, true},
    {1, "PENTAX \"LIETZ\"", "PENTAX \"LIETZ\" ", "*.*", &leerSdr, false, true},
    {2, ".ODB de NIKON", ".ODB de NIKON (*.odb) ", "*.odb", &leerNikonRaw, false, true},
    {3, ".SDR de SOKKIA", ".SDR de SOKKIA (*.sdr) ", "*.sdr", &leerSdr, false, true},
    {4, "GEODIMETER", "GEODIMETER ", "*.*", &leerGeodimeter, false, true},
    {5, ".GSI de WILD", ".GSI de WILD (*.gsi) ", "*.gsi", &leerGsi, false, true},
    {6, "DR2 de NIKON", "DR2 de NIKON ", "*.*", &leerNikonRaw, false, true},
    {7, ".ODB PENTAX Psion", ".ODB PENTAX Psion (*.odb) ", "*.odb", &leerPentaxEtiquetas, false, true},
    {8, ".TAC de TACOR", ".TAC de TACOR (*.tac) ", "*.tac", &leerTopcal, false, true},
    {9, "PENTAX ATS", "PENTAX ATS ", "*.*", &leerPentaxEtiquetas, false, true},
    {10, "FLD de La Tecnica", "FLD de La Tecnica (*.fld) ", "*.fld", &leerTopcal, false, true},
    {11, "GTS700 de TOPCON", "GTS700 de TOPCON ", "*.*", &leerGts700, false, true},
    {12, "CTS2 TOPCON PSION", "CTS2 de TOPCON PSION (*.psi) ", "*.psi", &leerCts2Psion, false, true},
    {13, "ODB Est,N,H,V,Dg,j,i,obs", "ODB Est,N,H,V,Dg,j,i,obs (*.odb) ", "*.odb", &leerTopcal, false, true},
    {14, "DAT Psion BUT-MULTI", "DAT Psion BUT-MULTI (*.dat) ", "*.dat", &leerTopcal, false, true},
    {15, "DTM-400 de NIKON", "Fichero NIKON DTM-400 ", "*.*", &leerNikonRaw, false, true},
    {16, "Fichero TOPCAL", "Fichero TOPCAL ", "*.*", &leerTopcal, false, true},
    {17, ".ODB de Zeiss", ".ODB de Zeiss (*.odb) ", "*.odb", &leerZeiss, false, true},
    {18, ".GSI de WILD codigo 42", ".GSI de WILD con codigo 42 (*.gsi) ", "*.gsi", &leerGsi, false, true},
    {19, ".SDR de SOKKIA con espacios", ".SDR de SOKKIA con espacios (*sdr) ", "*.sdr", &leerSdr, false, true},
    {20, "SC6 TERRA System de PENTAX", "SC6 TERRA System de PENTAX ", "*.*", &leerTopcal, false, true},
    {21, "ASCII de VESTRUM", "ASCII de VESTRUM por comas (*.asc) ", "asc", &leerAsciiComas, false, true},
    {22, "SDR Formato 01", "SDR Formato 01 (*.sdr) ", "*.sdr", &leerSdr, false, true},
    {23, "Formato Zeiss", "Formato ZEISS (*.dat) ", "*.dat", &leerZeiss, false, true},
    {24, "GTS212 de TOPCON", "GTS212 de TOPCON ", "*.* ", &leerGtsSerie, false, true},
    {25, "GSI Configurable", "GSI Configurable ", "*.*", &leerGsi, false, true},
    {26, "DTM-500 de NIKON", "Fichero NIKON DTM-500 ", "*.*", &leerNikonRaw, false, true},
    {27, "Fichero Leica Especial", "Fichero Leica Especial ", "*.*", &leerLeicaEspecial, true, true},
    {28, "Fichero Leica-Wild Clásico", "Fichero Leica-Wild Clásico ", "*.*", &leerLeicaClasico, true, true},
    {29, ".DAT de SOUTH ", "Fichero SOUTH ", "*.*", &leerSouth, false, true},
    {30, "GTS222 de TOPCON", "GTS222 de TOPCON ", "*.* ", &leerGtsSerie, false, true},
    {31, "Fichero PENTAX_R315N", "Fichero PENTAX_R315N ", "*.* ", &leerPentaxR315n, false, true},
    {32, "Fichero GSI STONEX", "Fichero GSI de STONEX (*.gsi) ", "*.gsi", &leerGsi, false, true},
}};

constexpr bool indicesEnOrden() {
    for (std::size_t i = 0; i < kTabla.size(); ++i)
        if (kTabla[i].indice != static_cast<int>(i)) return false;
    return true;
}
static_assert(indicesEnOrden(), "the index of a format is its list position");

}  // namespace

std::span<const FormatoImportacion> tablaFormatos() { return kTabla; }

const FormatoImportacion* formatoImportacion(int indice) {
    if (indice < 0 || indice >= kNumeroFormatos) return nullptr;
    return &kTabla[static_cast<std::size_t>(indice)];
}

std::string filtroFormato(const FormatoImportacion& formato) {
    return std::string(formato.nombreFiltro) + "| " + formato.patron + "|Todos los archivos (*.*) | *.*||";
}

std::string textoFormatoElegido(const FormatoImportacion& formato) {
    return formatear("Formato: %d %s", formato.indice, formato.texto);
}

std::string mensajeFormatoNoDisponible(const FormatoImportacion& formato) {
    return formatear(mensajes::kFormatoNoDisponible, formato.texto);
}

Estado leerFormatoPendiente(ContextoImportacion& contexto, const std::filesystem::path&) {
    if (const auto* f = formatoImportacion(contexto.indice)) contexto.avisos.mensaje(mensajeFormatoNoDisponible(*f));
    return Estado::Fallo;
}

}  // namespace celvara
