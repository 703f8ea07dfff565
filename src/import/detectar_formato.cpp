#include "import/detectar_formato.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "fieldbook/numeros.h"
#include "import/formatos.h"
#include "import/importar_datos_campo.h"

namespace celvara {

namespace {

class AvisosMudos : public Avisos {
public:
    Respuesta mensaje(std::string_view, std::string_view, Botones, Icono) override { return Respuesta::Aceptar; }
};

void anadir(std::string& s, double v) {
    char b[32];
    const auto r = std::to_chars(b, b + sizeof b, v);
    s.append(b, r.ptr);
    s += '|';
}
void anadir(std::string& s, std::string_view t) {
    s += t;
    s += '|';
}

// Everything an import puts in the book, as one text.
std::string firma(const CLibretaCampo& libreta) {
    std::string s;
    for (const auto& e : libreta.estaciones) {
        anadir(s, e->nombre.vista());
        for (double v : {e->x, e->y, e->z}) anadir(s, v);
        for (const auto& p : e->estacionamientos) {
            anadir(s, p->nombre.vista());
            for (double v : {p->alturaInstrumento, p->desorientacion, double(p->datos.unidadAngular)}) anadir(s, v);
            for (const auto& l : p->lecturas) {
                anadir(s, l.nombre.vista());
                for (double v : {l.jalon, l.distancia, l.vertical, l.horizontal}) anadir(s, v);
                anadir(s, l.codigo.vista());
            }
            s += '\n';
        }
    }
    return s;
}

bool familiaGsi(int indice) {
    return indice == 5 || indice == 18 || indice == 25 || indice == 27 || indice == 28 || indice == 32;
}

std::string minusculas(std::string t) {
    for (char& c : t)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return t;
}

// "*.gsi" against the file's extension; the catch-all patterns match nothing.
bool extensionCoincide(const FormatoImportacion& f, const std::filesystem::path& ruta) {
    std::string patron = minusculas(f.patron);
    while (!patron.empty() && patron.back() == ' ') patron.pop_back();
    if (patron.rfind("*.", 0) == 0) patron.erase(0, 1);
    else if (!patron.empty() && patron[0] != '.') patron.insert(0, ".");
    return patron != ".*" && patron == minusculas(ruta.extension().string());
}

}  // namespace

DeteccionFormato detectarFormato(const std::filesystem::path& ruta, const CDatosGenerales& ajustes) {
    std::vector<int> leen;
    std::map<std::string, int> libros;  // book -> lowest index
    for (const auto& f : tablaFormatos()) {
        if (!f.disponible) continue;
        CDatosGenerales copia = ajustes;
        CLibretaCampo libreta;
        AvisosMudos mudos;
        std::uint8_t bandera = 0;
        CImportarDatosCampo importacion(copia, libreta, &bandera, mudos);
        importacion.seleccionar(f.indice);
        if (importacion.importarFichero(ruta) != ResultadoImportacion::Cerrar) continue;
        leen.push_back(f.indice);
        libros.emplace(firma(libreta), f.indice);
    }
    DeteccionFormato d;
    for (const auto& [libro, indice] : libros) d.candidatos.push_back(indice);
    std::sort(d.candidatos.begin(), d.candidatos.end());
    auto lee = [&](int i) { return std::find(leen.begin(), leen.end(), i) != leen.end(); };

    if (d.candidatos.empty()) {
        d.mensaje = kFormatoNoReconocido;
        return d;
    }
    if (std::all_of(d.candidatos.begin(), d.candidatos.end(), familiaGsi)) {
        d.indice = lee(18) ? 18 : lee(5) ? 5 : d.candidatos.front();
        d.candidatos = {*d.indice};
        return d;
    }
    if (d.candidatos.size() == 1) {
        d.indice = d.candidatos.front();
        return d;
    }
    std::vector<int> porExtension;
    for (int i : d.candidatos)
        if (extensionCoincide(*formatoImportacion(i), ruta)) porExtension.push_back(i);
    if (porExtension.size() == 1) {
        d.indice = porExtension.front();
        return d;
    }
    d.mensaje = kVariosFormatos;
    for (int i : d.candidatos) d.mensaje += formatear("\n%d %s", i, formatoImportacion(i)->texto);
    return d;
}

}  // namespace celvara
