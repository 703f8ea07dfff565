#pragma once
// The fixed data shipped with the program (instrument library, company data)
// as the batch tool finds it without being told.

#include <filesystem>
#include <string_view>

namespace celvara::cli {

// NOMBRE in $CELVARA_DATOS, else beside an installed celvara-cli
// (share/celvara/vestrum), else in the source tree it was built from; empty
// when none holds it.
std::filesystem::path datoFijoInstalado(std::string_view nombre);

}  // namespace celvara::cli
