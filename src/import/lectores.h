// The readers of the format table. One signature for all; the index in the
// context picks the variant where one reader serves several formats.
#pragma once

#include "import/formatos.h"

namespace celvara {

Estado leerGsi(ContextoImportacion& contexto, const std::filesystem::path& ruta);            // 5, 18, 25, 32
Estado leerLeicaClasico(ContextoImportacion& contexto, const std::filesystem::path& ruta);   // 28, direct
Estado leerLeicaEspecial(ContextoImportacion& contexto, const std::filesystem::path& ruta);  // 27, direct
Estado leerGts700(ContextoImportacion& contexto, const std::filesystem::path& ruta);         // 11
Estado leerPentaxEtiquetas(ContextoImportacion& contexto, const std::filesystem::path& ruta);// 7, 9
Estado leerCts2Psion(ContextoImportacion& contexto, const std::filesystem::path& ruta);      // 12
Estado leerGeodimeter(ContextoImportacion& contexto, const std::filesystem::path& ruta);      // 4
Estado leerTopcal(ContextoImportacion& contexto, const std::filesystem::path& ruta);          // 0, 8, 10, 13, 14, 16, 20
Estado leerAsciiComas(ContextoImportacion& contexto, const std::filesystem::path& ruta);      // 21
Estado leerSdr(ContextoImportacion& contexto, const std::filesystem::path& ruta);             // 1, 3, 19, 22
Estado leerNikonRaw(ContextoImportacion& contexto, const std::filesystem::path& ruta);        // 2, 6, 15, 26
// Degrees, minutes and seconds written DDD.MMSSs, as decimal degrees.
double gradosDeDms(std::string_view texto);
Estado leerGtsSerie(ContextoImportacion& contexto, const std::filesystem::path& ruta);        // 24, 30
Estado leerSouth(ContextoImportacion& contexto, const std::filesystem::path& ruta);           // 29
Estado leerZeiss(ContextoImportacion& contexto, const std::filesystem::path& ruta);           // 17, 23
Estado leerPentaxR315n(ContextoImportacion& contexto, const std::filesystem::path& ruta);     // 31
// Formats whose reader comes later: says so and fails.
Estado leerFormatoPendiente(ContextoImportacion& contexto, const std::filesystem::path& ruta);

}  // namespace celvara
