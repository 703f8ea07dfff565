// Damaged coordinate files: every one must read without overrunning, with
// the records that are complete and nothing else (random bytes are the fuzz
// harness's).
#include <gtest/gtest.h>

#include "crd_comun.h"
#include "datos/fichero_crd.h"

namespace celvara {
namespace {

using namespace prueba_crd;

// What a file of these bytes must read as, from the sizes alone.
std::size_t registrosEsperados(std::string_view bytes, FormaCrd& forma) {
    if (bytes.size() >= 5 && bytes.substr(0, 5) == std::string_view("V5.0\0", 5)) {
        forma = FormaCrd::Actual;
        if (bytes.size() < 9) return 0;
        if (bytes.substr(5, 4) != std::string_view("\0\0\0\0", 4)) return 0;
        return (bytes.size() - 9) / 304;
    }
    forma = FormaCrd::Antigua;
    return bytes.size() / 120;
}

void comprobar(const std::filesystem::path& ruta, std::string_view bytes) {
    grabarBytes(ruta, bytes);
    FormaCrd esperada = FormaCrd::Actual;
    const std::size_t n = registrosEsperados(bytes, esperada);
    ListaRegistrosCoordenadas registros;
    FormaCrd forma = esperada == FormaCrd::Actual ? FormaCrd::Antigua : FormaCrd::Actual;
    ASSERT_TRUE(leerFicheroCoordenadas(ruta, registros, &forma)) << bytes.size();
    EXPECT_EQ(forma, esperada) << bytes.size();
    EXPECT_EQ(registros.size(), n) << bytes.size();
    // Every text read stays inside its field.
    for (const auto& r : registros) {
        EXPECT_LE(r.nombre.longitud(), 14u);
        EXPECT_LE(r.estacion.longitud(), 14u);
        EXPECT_LE(r.codigo.longitud(), 49u);
    }
    ListaPuntos puntos;
    ASSERT_EQ(leerListaPuntos(ruta, puntos), Estado::Exito);
    EXPECT_EQ(puntos.size(), n);
}

// Every cut of two files, an unknown sub-version (an empty list of the
// current form), marks that are not the current one (the older form) and
// records whose texts have no terminator.
TEST(RobustezCrd, CortadosMarcasYTextosSinTerminador) {
    CarpetaTemporal tmp;
    std::vector<std::string> ficheros{bytesDe(datos("subversion_1.crd")), std::string(120 * 3, '\xFF')};
    for (const char* nombre : {"atributos.crd", "antigua_dos_puntos.crd"}) {
        const std::string entero = bytesDe(datos(nombre));
        for (std::size_t largo = 0; largo <= entero.size(); ++largo) ficheros.push_back(entero.substr(0, largo));
    }
    const std::string registros = bytesDe(datos("atributos_limpio.crd")).substr(9);
    for (std::string marca : {std::string("V5.1\0", 5), std::string("v5.0\0", 5), std::string("V5.0X", 5),
                              std::string("V4.0\0", 5), std::string("\0\0\0\0\0", 5)})
        ficheros.push_back(marca + std::string(4, '\0') + registros);
    ficheros.push_back(std::string("V5.0\0\0\0\0\0", 9) + std::string(2 * 304, 'A'));  // every byte set, no NUL
    for (const auto& f : ficheros) comprobar(tmp / "f.crd", f);
    ListaRegistrosCoordenadas r;
    ASSERT_TRUE(leerFicheroCoordenadas(tmp / "f.crd", r));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].nombre, std::string(14, 'A'));
    EXPECT_EQ(r[0].codigo, std::string(49, 'A'));
}

}  // namespace
}  // namespace celvara
