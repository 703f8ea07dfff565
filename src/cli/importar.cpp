// importar --formato N|auto ENTRADA -o SALIDA.obs [--libreta BASE.obs]
// [--config observa.dft]: reads an instrument file with format N into a book
// (BASE or an empty one), merges it as "Importar Datos Campo" does, and
// writes SALIDA. With "auto" the content of the file picks the format (its
// index goes to stderr), or the command fails listing the candidates.
// Messages of the import go to stderr; a failed read writes nothing and
// exits 1.
#include <charconv>
#include <iostream>
#include <vector>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/fichero_obs.h"
#include "import/detectar_formato.h"
#include "import/importar_datos_campo.h"

namespace celvara::cli {
namespace {

// Every message of the import goes to stderr (texts are UTF-8 already),
// after the file's name when the import fails: the window's texts say
// "el fichero" and a script may import many.
class AvisosError : public Avisos {
public:
    Respuesta mensaje(std::string_view texto, std::string_view, Botones botones, Icono) override {
        mensajes.emplace_back(texto);
        return botones == Botones::SiNo || botones == Botones::SiNoCancelar ? Respuesta::No : Respuesta::Aceptar;
    }
    void escribir(const std::string& prefijo) const {
        for (const auto& m : mensajes) std::cerr << prefijo << m << '\n';
    }
    std::vector<std::string> mensajes;
};

const RegistroComando registro("importar", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("importar", "Importa un fichero de datos de campo a una libreta");
    struct Opciones {
        std::string formato;
        std::string entrada, salida, libreta, config;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("--formato", o->formato, "Índice del formato (celvara-cli formatos), o auto")
        ->required()
        ->check(CLI::Validator(
            [](std::string& v) -> std::string {
                if (v == "auto") return {};
                int n = -1;
                const auto r = std::from_chars(v.data(), v.data() + v.size(), n);
                if (r.ec != std::errc() || r.ptr != v.data() + v.size() || n < 0 || n >= kNumeroFormatos)
                    return "formato: auto o un índice de 0 a 32";
                return {};
            },
            "auto|0-32"));
    sub->add_option("entrada", o->entrada, "Fichero de datos de campo")->required();
    sub->add_option("-o,--salida", o->salida, "Libreta resultante")->required();
    sub->add_option("--libreta", o->libreta, "Libreta de partida (si no, una vacía)");
    sub->add_option("--config", o->config, "Fichero de ajustes observa.dft");
    return [o]() -> int {
        CDatosGenerales ajustes;
        if (!o->config.empty())
            if (auto e = leerAjustesEntrada(ajustes, o->config, "Error al abrir el fichero de ajustes "); !e.empty())
                return fallo(e);
        CLibretaCampo libreta;
        if (!o->libreta.empty())
            if (auto e = leerLibretaEntrada(libreta, o->libreta); !e.empty()) return fallo(e);
        if (!legible(o->entrada)) return fallo("No se puede abrir el fichero " + o->entrada);

        AvisosError avisos;
        const std::string nombre = o->entrada + ": ";
        int indice = 0;
        if (o->formato == "auto") {
            const DeteccionFormato d = detectarFormato(o->entrada, ajustes);
            if (!d.indice) return fallo(nombre + d.mensaje);
            indice = *d.indice;
            std::cerr << textoFormatoElegido(*formatoImportacion(indice)) << '\n';
        } else {
            std::from_chars(o->formato.data(), o->formato.data() + o->formato.size(), indice);
        }
        std::uint8_t bandera = 0;
        CImportarDatosCampo importacion(ajustes, libreta, &bandera, avisos);
        importacion.seleccionar(indice);
        const FormatoImportacion& formato = *formatoImportacion(indice);
        if (!formato.disponible) return fallo(mensajeFormatoNoDisponible(formato));
        const bool importado = importacion.importarFichero(o->entrada) == ResultadoImportacion::Cerrar;
        avisos.escribir(importado ? std::string() : nombre);
        if (!importado) return kFalloFichero;
        if (!escribirLibreta(libreta, o->salida)) return fallo("Error al grabar el fichero " + o->salida);
        return kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
