// Dumper of coordinate files for `volcar`: the form of the file and its
// points as they are stored.
#include "cli/registro.h"
#include "datos/fichero_crd.h"

namespace celvara::cli {
namespace {

using Json = nlohmann::ordered_json;

const RegistroVolcado volcadoCrd("crd", "crd", [](const std::filesystem::path& ruta, Json& salida, std::string& mensaje) {
    ListaRegistrosCoordenadas registros;
    FormaCrd forma = FormaCrd::Antigua;
    if (!leerFicheroCoordenadas(ruta, registros, &forma)) {
        mensaje = "Error al leer el fichero de coordenadas " + ruta.string();
        return false;
    }
    salida["forma"] = forma == FormaCrd::Actual ? "V5.0" : "antigua";
    Json puntos = Json::array();
    for (const auto& r : registros)
        puntos.push_back(Json{{"nombre", utf8(r.nombre.vista())},
                              {"estacion", utf8(r.estacion.vista())},
                              {"x", r.x},
                              {"y", r.y},
                              {"z", r.z},
                              {"codigo", utf8(r.codigo.vista())},
                              {"base", r.base}});
    salida["puntos"] = std::move(puntos);
    return true;
});

}  // namespace
}  // namespace celvara::cli
