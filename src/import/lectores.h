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
// Formats whose reader comes later: says so and fails.
Estado leerFormatoPendiente(ContextoImportacion& contexto, const std::filesystem::path& ruta);

}  // namespace celvara
