// volcar FICHERO [--formato F]: the content of a file as JSON on stdout. The
// format comes from --formato or, failing that, from the file's extension.
#include <algorithm>
#include <iostream>

#include "cli/registro.h"

namespace celvara::cli {
namespace {

std::string minusculas(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

const RegistroComando registro("volcar", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("volcar", "Muestra el contenido de un fichero como JSON");
    auto ruta = std::make_shared<std::string>();
    auto formato = std::make_shared<std::string>();
    sub->add_option("fichero", *ruta, "Fichero a mostrar")->required();
    sub->add_option("--formato", *formato, "Formato del fichero (por defecto, según la extensión)");
    return [ruta, formato]() -> int {
        std::string nombre = minusculas(*formato);
        if (nombre.empty()) {
            std::string ext = std::filesystem::path(*ruta).extension().string();
            if (!ext.empty()) ext.erase(0, 1);
            ext = minusculas(ext);
            for (const auto& f : formatosVolcado())
                if (f.extension == ext) nombre = f.nombre;
        }
        const auto& formatos = formatosVolcado();
        auto it = std::find_if(formatos.begin(), formatos.end(), [&](const FormatoVolcado& f) { return f.nombre == nombre; });
        if (it == formatos.end()) {
            std::cerr << "Formato desconocido: " << (nombre.empty() ? *ruta : nombre) << '\n';
            return kErrorUso;
        }
        nlohmann::ordered_json salida;
        std::string mensaje;
        if (!it->volcar(*ruta, salida, mensaje)) return fallo(mensaje);
        std::cout << salida.dump(1) << '\n';
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
