#include "import/formatos.h"

#include <array>

#include "fieldbook/numeros.h"
#include "import/lectores.h"
#include "import/mensajes_importacion.h"

namespace celvara {

namespace {

constexpr LectorFormato kPendiente = &leerFormatoPendiente;

// Filter names and patterns keep their trailing blanks: the filter string is
// built from them as they are.
constexpr std::array<FormatoImportacion, kNumeroFormatos> kTabla{{
    {0, "CASIO FX-850 880P ASCII del Programa", "CASIO FX-850 880P (*.cas) ", "*.cas", kPendiente, false, false},
    {1, "PENTAX \"LIETZ\"", "PENTAX \"LIETZ\" ", "*.*", kPendiente, false, false},
    {2, ".ODB de NIKON", ".ODB de NIKON (*.odb) ", "*.odb", kPendiente, false, false},
    {3, ".SDR de SOKKIA", ".SDR de SOKKIA (*.sdr) ", "*.sdr", kPendiente, true, false},
    {4, "GEODIMETER", "GEODIMETER ", "*.*", kPendiente, false, false},
    {5, ".GSI de WILD", ".GSI de WILD (*.gsi) ", "*.gsi", &leerGsi, false, true},
    {6, "DR2 de NIKON", "DR2 de NIKON ", "*.*", kPendiente, false, false},
    {7, ".ODB PENTAX Psion", ".ODB PENTAX Psion (*.odb) ", "*.odb", &leerPentaxEtiquetas, false, true},
    {8, ".TAC de TACOR", ".TAC de TACOR (*.tac) ", "*.tac", kPendiente, false, false},
    {9, "PENTAX ATS", "PENTAX ATS ", "*.*", &leerPentaxEtiquetas, false, true},
    {10, "FLD de La Tecnica", "FLD de La Tecnica (*.fld) ", "*.fld", kPendiente, true, false},
    {11, "GTS700 de TOPCON", "GTS700 de TOPCON ", "*.*", &leerGts700, false, true},
    {12, "CTS2 TOPCON PSION", "CTS2 de TOPCON PSION (*.psi) ", "*.psi", &leerCts2Psion, false, true},
    {13, "ODB Est,N,H,V,Dg,j,i,obs", "ODB Est,N,H,V,Dg,j,i,obs (*.odb) ", "*.odb", kPendiente, false, false},
    {14, "DAT Psion BUT-MULTI", "DAT Psion BUT-MULTI (*.dat) ", "*.dat", kPendiente, false, false},
    {15, "DTM-400 de NIKON", "Fichero NIKON DTM-400 ", "*.*", kPendiente, false, false},
    {16, "Fichero TOPCAL", "Fichero TOPCAL ", "*.*", kPendiente, false, false},
    {17, ".ODB de Zeiss", ".ODB de Zeiss (*.odb) ", "*.odb", kPendiente, false, false},
    {18, ".GSI de WILD codigo 42", ".GSI de WILD con codigo 42 (*.gsi) ", "*.gsi", &leerGsi, false, true},
    {19, ".SDR de SOKKIA con espacios", ".SDR de SOKKIA con espacios (*sdr) ", "*.sdr", kPendiente, false, false},
    {20, "SC6 TERRA System de PENTAX", "SC6 TERRA System de PENTAX ", "*.*", kPendiente, false, false},
    {21, "ASCII de VESTRUM", "ASCII de VESTRUM por comas (*.asc) ", "asc", kPendiente, false, false},
    {22, "SDR Formato 01", "SDR Formato 01 (*.sdr) ", "*.sdr", kPendiente, false, false},
    {23, "Formato Zeiss", "Formato ZEISS (*.dat) ", "*.dat", kPendiente, false, false},
    {24, "GTS212 de TOPCON", "GTS212 de TOPCON ", "*.* ", kPendiente, false, false},
    {25, "GSI Configurable", "GSI Configurable ", "*.*", &leerGsi, false, true},
    {26, "DTM-500 de NIKON", "Fichero NIKON DTM-500 ", "*.*", kPendiente, false, false},
    {27, "Fichero Leica Especial", "Fichero Leica Especial ", "*.*", &leerLeicaEspecial, true, true},
    {28, "Fichero Leica-Wild Clásico", "Fichero Leica-Wild Clásico ", "*.*", &leerLeicaClasico, true, true},
    {29, ".DAT de SOUTH ", "Fichero SOUTH ", "*.*", kPendiente, false, false},
    {30, "GTS222 de TOPCON", "GTS222 de TOPCON ", "*.* ", kPendiente, false, false},
    {31, "Fichero PENTAX_R315N", "Fichero PENTAX_R315N ", "*.* ", kPendiente, true, false},
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

std::string mensajeFormatoNoDisponible(const FormatoImportacion& formato) {
    return formatear(mensajes::kFormatoNoDisponible, formato.texto);
}

Estado leerFormatoPendiente(ContextoImportacion& contexto, const std::filesystem::path&) {
    if (const auto* f = formatoImportacion(contexto.indice)) contexto.avisos.mensaje(mensajeFormatoNoDisponible(*f));
    return Estado::Fallo;
}

}  // namespace celvara
