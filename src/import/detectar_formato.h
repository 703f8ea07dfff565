// Which entry of the format table reads a file. Every entry reads the file
// into an empty book of its own, silently; the content decides. Entries that
// give the same book count as one candidate, whose lowest index stands for
// them. The GSI entries count as one family: a file with code-42 station
// blocks means the code-42 entry, any other GSI file the plain one. Between
// candidates giving different books the file's extension decides when it
// matches the pattern of only one of them; otherwise nothing is chosen and
// the message lists them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fieldbook/datos_generales.h"

namespace celvara {

inline constexpr const char* kFormatoNoReconocido = "No se reconoce el formato del fichero.";
inline constexpr const char* kVariosFormatos =
    "El fichero puede leerse con varios formatos que dan libretas distintas;\nelija uno de ellos:";

struct DeteccionFormato {
    std::optional<int> indice;   // the entry chosen
    std::vector<int> candidatos; // one index per distinct book
    std::string mensaje;         // why nothing was chosen
};

DeteccionFormato detectarFormato(const std::filesystem::path& ruta, const CDatosGenerales& ajustes);

}  // namespace celvara
