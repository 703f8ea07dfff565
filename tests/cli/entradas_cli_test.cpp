// Bad input to every celvara-cli command: for each file a command reads, a
// missing file, a folder, an empty file, a truncated one, random bytes and a
// file of another kind each end within 5 s with exit 1, the path as given on
// stderr and nothing written; on the good file the command exits 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "comun/imagen.h"
#include "comun/proceso.h"
#include "fieldbook/datos_generales.h"

namespace celvara {
namespace {

namespace fs = std::filesystem;

// One command a line from tests/data/cli/ordenes_entradas.txt.
std::vector<std::string> ordenes() {
    std::vector<std::string> r;
    std::ifstream f(fs::path(CELVARA_DATOS_PRUEBA) / "cli" / "ordenes_entradas.txt");
    for (std::string l; std::getline(f, l);) {
        const bool intercambio = l.starts_with("[intercambio] "), pdf = l.starts_with("[pdf] ");
#ifdef CELVARA_SIN_INTERCAMBIO
        if (intercambio) continue;
#endif
#ifndef CELVARA_LISTADOS_PDF
        if (pdf) continue;
#endif
        if (intercambio || pdf) l.erase(0, l.find(' ') + 1);
        if (!l.empty() && l[0] != '#') r.push_back(l);
    }
    return r;
}

const fs::path kDatos = CELVARA_DATOS_PRUEBA, kVestrum = kDatos / ".." / ".." / "data" / "vestrum";
const std::string kLibreta = prueba::leerFichero(fs::path(CELVARA_EJEMPLOS) / "obra_ejemplo.obs");
const std::string kGsi =
    "110001+00001000 25.322+20904010 84..10+00000000 85..10+00000000 86..10+00000000 88..10+00001500 \r\n"
    "110002+00002001 21.322+00500000 22.322+10000000 31..00+00020000 87..10+00001500 \r\n";

// The good file of a kind, with its extension.
std::pair<std::string, std::string> bueno(const std::string& clase) {
    prueba::CarpetaTemporal c;
    guardarAjustes(CDatosGenerales{}, c / "a.dft");  // a failure fails the run on the good file
    const std::map<std::string, std::pair<std::string, std::string>> buenos{
        {"LIBRETA", {kLibreta, ".obs"}},
        {"AJUSTES", {prueba::leerFichero(c / "a.dft"), ".dft"}},
        {"INSTRUMENTOS", {prueba::leerFichero(kVestrum / "instrumentos.apa"), ".apa"}},
        {"EMPRESA", {prueba::leerFichero(kVestrum / "datos_empresa.prt"), ".prt"}},
        {"POLIGONAL", {prueba::leerFichero(kDatos / "poligonal" / "cerrada.pol"), ".pol"}},
        {"CRD", {prueba::leerFichero(kDatos / "crd" / "atributos.crd"), ".crd"}},
        {"GSI", {kGsi, ".gsi"}},
        {"NIVELACION", {"P1,1.650,1.350,1.500,1.420,1.180,1.300\n", ".csv"}},
        {"PUNTOS", {"P1,10.5,20.25,30,c\n", ".csv"}},
        {"DIBUJO", {"0\nSECTION\n2\nENTITIES\n0\nPOINT\n10\n1\n20\n2\n0\nENDSEC\n0\nEOF\n", ".dxf"}}};
    return buenos.at(clase);
}

class EntradaMala : public ::testing::TestWithParam<std::string> {};

TEST_P(EntradaMala, Exit1ConSuNombreSinSalidaYAHora) {
    prueba::CarpetaTemporal dir;
    std::vector<std::string> argumentos;
    std::size_t marcada = 0;
    std::string clase, ext;
    std::istringstream linea(GetParam());
    for (std::string p; linea >> p;) {
        if (p[0] == '*') marcada = argumentos.size(), clase = p = p.substr(1);
        if (std::ranges::all_of(p, [](char c) { return std::isupper(static_cast<unsigned char>(c)); })) {
            const auto [bytes, e] = bueno(p);
            prueba::escribirFichero(dir / (p + e), bytes);
            if (p == clase) ext = e;
            p = (dir / (p + e)).string();
        } else if (p.starts_with("s/")) {
            p = (dir / p).string();
        }
        argumentos.push_back(p);
    }
    const std::string contenido = bueno(clase).first;
    std::mt19937 azar(7);
    std::string aleatorio(392 * 8, '\0');  // whole instrument records: their texts are what is judged
    for (char& c : aleatorio) c = static_cast<char>(azar());
    // A text file is cut inside its first line: cut after whole lines it is a
    // shorter survey, not a damaged file.
    const bool texto = clase == "GSI" || clase == "NIVELACION" || clase == "PUNTOS";
    const std::map<std::string, std::string> malos{
        {"vacio", ""}, {"truncado", contenido.substr(0, texto ? 6 : contenido.size() / 2)},
        {"aleatorio", aleatorio}, {"otro", clase == "LIBRETA" ? kGsi : kLibreta}};
    for (const auto& [nombre, bytes] : malos) prueba::escribirFichero(dir / (nombre + ext), bytes);
    fs::create_directory(dir / ("carpeta" + ext));
    fs::create_directory(dir / "s");

    for (const std::string caso : {"", "falta", "carpeta", "vacio", "truncado", "aleatorio", "otro"}) {
        SCOPED_TRACE(std::string(GetParam()) + " con " + (caso.empty() ? "el bueno" : caso));
        if (!caso.empty()) argumentos[marcada] = (dir / (caso + ext)).string();
        const auto r = prueba::cli(argumentos, {}, 5);
        ASSERT_NE(r.estado, -1) << "no acaba en 5 s";
        // A coordinate file is never refused for its bytes: one shorter than
        // the mark is an empty list, one without it the older form.
        const bool correcto = caso.empty() || (clase == "CRD" && malos.contains(caso));
        EXPECT_EQ(r.estado, correcto ? 0 : 1) << r.errores;
        if (!correcto) {
            EXPECT_NE(r.errores.find(argumentos[marcada]), std::string::npos) << r.errores;
            EXPECT_TRUE(fs::is_empty(dir / "s"));
        }
        for (const auto& f : fs::directory_iterator(dir / "s")) fs::remove(f);
    }
}

INSTANTIATE_TEST_SUITE_P(Ordenes, EntradaMala, ::testing::ValuesIn(ordenes()),
                         [](const auto& info) { return "orden" + std::to_string(info.index); });

}  // namespace
}  // namespace celvara
