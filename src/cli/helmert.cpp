// helmert ORIGEN.crd DESTINO.crd [--puntos A,B,...] [--sin-escala]
//         [--aplicar F.crd -o SALIDA.crd] [--json]
// The similarity (or, without scale, the rigid motion) and height shift
// that carry the origin's points onto the destination's points of the same
// name. Prints "tx ty a b dz", "escala giro", one "nombre vx vy vz" per
// common point and "sigma0 = ..."; or one JSON object. With --aplicar the
// file is carried through it into SALIDA and only a summary goes to stderr.
// The origin may also be a field book: its stations with coordinates.
#include <algorithm>
#include <cctype>
#include <iostream>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "datos/puntos_estaciones.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "herramientas/helmert.h"

namespace celvara::cli {
namespace {

bool esLibreta(const std::string& ruta) {
    std::string ext = std::filesystem::path(ruta).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".obs";
}

std::string leerPuntos(const std::string& ruta, ListaPuntos& puntos) {
    if (esLibreta(ruta)) {
        CLibretaCampo libreta;
        if (auto e = leerLibretaEntrada(libreta, ruta); !e.empty()) return e;
        for (const PuntoCoordenadas& p : puntosDeEstaciones(libreta))
            if (p.x != 0 || p.y != 0) puntos.push_back(p);
        return {};
    }
    if (!legible(ruta) || leerListaPuntos(ruta, puntos) != Estado::Exito)
        return "Error al leer el fichero de coordenadas " + ruta;
    return {};
}

const RegistroComando registro("helmert", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("helmert", "Transformación Helmert 2D + h entre dos ficheros de coordenadas");
    struct Opciones {
        std::string origen, destino, puntos, aplicar, salida;
        bool sinEscala = false, json = false;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("origen", o->origen, "Coordenadas de origen (.crd, o las estaciones de un .obs)")->required();
    sub->add_option("destino", o->destino, "Coordenadas de destino (.crd)")->required();
    sub->add_option("--puntos", o->puntos, "Puntos comunes a usar, separados por comas (todos)");
    sub->add_flag("--sin-escala", o->sinEscala, "Sin factor de escala (a² + b² = 1)");
    auto* salida = sub->add_option("-o,--salida", o->salida, "Fichero transformado");
    sub->add_option("--aplicar", o->aplicar, "Fichero de coordenadas a transformar")->needs(salida);
    salida->needs(sub->get_option("--aplicar"));
    sub->add_flag("--json", o->json, "Resultado en JSON");
    return [o]() -> int {
        EntradaHelmert e;
        e.sinEscala = o->sinEscala;
        if (auto m = leerPuntos(o->origen, e.origen); !m.empty()) return fallo(m);
        if (auto m = leerPuntos(o->destino, e.destino); !m.empty()) return fallo(m);
        for (std::size_t i = 0; i < o->puntos.size();) {
            const std::size_t j = std::min(o->puntos.find(',', i), o->puntos.size());
            if (j > i) e.elegidos.push_back(utf8ACp1252(o->puntos.substr(i, j - i)));
            i = j + 1;
        }
        const ResultadoHelmert r = calcularHelmert(e);
        for (const std::string& n : r.ausentes) std::cerr << "El punto «" << utf8(n) << "» no está en los dos ficheros\n";
        if (r.error) return fallo(r.error);
        if (!r.ausentes.empty()) return kFalloFichero;

        if (!o->aplicar.empty()) {
            ListaRegistrosCoordenadas registros;
            if (!legible(o->aplicar) || !leerFicheroCoordenadas(o->aplicar, registros))
                return fallo("Error al leer el fichero de coordenadas " + o->aplicar);
            aplicarHelmert(r, registros);
            if (!escribirFicheroCoordenadas(registros, o->salida)) return fallo("Error al grabar el fichero " + o->salida);
            std::cerr << formatear("%zu puntos transformados en ", registros.size()) << o->salida
                      << formatear(" (%zu comunes, sigma0 = %1.4lf)\n", r.residuos.size(), r.sigma0);
            return kExito;
        }
        if (o->json) {
            nlohmann::ordered_json j;
            const std::pair<const char*, double> valores[] = {{"tx", r.tx}, {"ty", r.ty}, {"a", r.a}, {"b", r.b}, {"dz", r.dz},
                                        {"s_tx", r.stx}, {"s_ty", r.sty}, {"s_a", r.sa}, {"s_b", r.sb}, {"s_dz", r.sdz},
                                        {"scale", r.escala}, {"rotation", r.giro}, {"sigma0", r.sigma0},
                                        {"sigma_z", r.sigmaZ}};
            for (const auto& [clave, valor] : valores) j[clave] = valor;
            j["redundancy"] = r.redundancia;
            auto& puntos = j["points"] = nlohmann::ordered_json::array();
            for (const ResiduoHelmert& v : r.residuos)
                puntos.push_back({{"name", utf8(v.nombre)}, {"vx", v.vx}, {"vy", v.vy}, {"vz", v.vz}, {"flagged", v.marcado}});
            std::cout << j.dump(2) << "\n";
            return kExito;
        }
        // Each number on its own, so "-0.0000" never reads as a shift.
        const auto n = [](const char* formato, double v) { return sinMenosCero(formatear(formato, v)); };
        std::cout << n("%1.4lf", r.tx) << ' ' << n("%1.4lf", r.ty) << ' ' << n("%1.10lf", r.a) << ' '
                  << n("%1.10lf", r.b) << ' ' << n("%1.4lf", r.dz) << '\n'
                  << n("%1.9lf", r.escala) << ' ' << n("%1.6lf", r.giro) << '\n';
        for (const ResiduoHelmert& v : r.residuos)
            std::cout << utf8(v.nombre) << ' ' << n("%1.4lf", v.vx) << ' ' << n("%1.4lf", v.vy) << ' '
                      << n("%1.4lf", v.vz) << '\n';
        std::cout << formatear("sigma0 = %1.4lf\n", r.sigma0);
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
