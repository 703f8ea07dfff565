// Random and mutated files through every format: each read ends, with
// success or a clean failure, and never reads or writes out of bounds (run
// under AddressSanitizer and UBSan by the test script).
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "import/ayuda_importacion.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::punto16;
using prueba::punto8;
using prueba::w16;
using prueba::w8;
using prueba::wTexto;

// Pieces that reach deep into the readers: tags, keywords, GSI words.
const std::vector<std::string>& piezas() {
    static const std::vector<std::string> p = {
        "STN ", "BKB ", "HV ", "SS ", "SD ", "HD ", "FS ", ",", ",,", "STA:", "STS:", "INH:", "PPT:", "PPD:",
        "PPH:", "RTH:", "RTV:", "RTD:", "PPC:", "NOT:", "008:", "022:", "627:", "0001", "ORIGEN ", "ORIANG ",
        "PRISMA ", "REGPOS ", "ENLACE ", " 42", " 88", "*", "4", "1", "\r", "\n", "\r\n", "\f", "\xFF", "\x1A",
        " ", "-", "+", ".", "9999999999999999", punto8(5), punto16(77), w8(21, 1234567, ".324"),
        w8(22, -99, ".324"), w8(31, 5), w8(32, 6), w8(71, 1), w8(84, 1), w8(87, 1500), w8(88, 1600),
        w8(42, 3), w8(43, 7), w8(44, 9), w8(25, 1), w16(21, 5), w16(88, 3), wTexto(42, "B1"), wTexto(41, "7"),
        wTexto(11, "GDEM", 16), wTexto(51, "X")};
    return p;
}

std::string aleatorio(std::mt19937& g) {
    std::uniform_int_distribution<int> tamano(0, 400), modo(0, 2), byte(0, 255);
    const auto& p = piezas();
    std::uniform_int_distribution<std::size_t> pieza(0, p.size() - 1);
    std::string s;
    const int n = tamano(g);
    for (int i = 0; i < n; ++i) {
        switch (modo(g)) {
            case 0: s += static_cast<char>(byte(g)); break;
            default: s += p[pieza(g)]; break;
        }
    }
    return s;
}

// Valid-looking files of each family, then bytes flipped, cut or repeated.
std::vector<std::string> semillas() {
    std::string gsi = w8(41, 1, "0001") + wTexto(42, "B1") + w8(43, 1550) + w8(88, 1500) + "\r\n";
    for (int n = 1; n <= 6; ++n)
        gsi += punto8(n) + w8(21, 1000 * n, ".324") + w8(22, 9900000, ".324") + w8(31, 1234) + w8(87, 1500) +
               w8(71, n) + "\r\n";
    std::string gsi16 = "*" + punto16(1) + w16(84, 1) + w16(88, 1500) + "\n*" + punto16(2) + w16(21, 5) + "\n";
    const std::string gts =
        "STN    E1,1.5,A\nBKB    E2,10,0\nHV     1,2\nSS     1,1.6,C\nSD     1,2,3\nSS     2,1.6,C\nHD     1,2,3\n"
        "FS     3,1,\nSTN    E2,1.4\nSS     7,1,\nSD     4,5,6\n";
    const std::string pentax =
        "STA:\nSTS:B1\nINH:1.5\nPPT:\nPPD:1\nPPH:1.6\nRTH:1\nRTV:2\nRTD:3\nPPC:X\n0001022:\n0002PPD:2\n";
    const std::string cts2 = "ORIGEN E1,1.5\nORIANG E2,1,2\nPRISMA 1.6\nREGPOS 1,1,2,3,A\nENLACE E2,1,2,3\n";
    return {gsi, gsi16, gts, pentax, cts2};
}

std::string mutar(std::string s, std::mt19937& g) {
    std::uniform_int_distribution<int> operacion(0, 4), veces(1, 8), byte(0, 255);
    for (int k = veces(g); k > 0 && !s.empty(); --k) {
        std::uniform_int_distribution<std::size_t> pos(0, s.size() - 1);
        switch (operacion(g)) {
            case 0: s[pos(g)] = static_cast<char>(byte(g)); break;
            case 1: s.erase(pos(g), 1); break;
            case 2: s.resize(pos(g)); break;
            case 3: s.insert(pos(g), piezas()[static_cast<std::size_t>(byte(g)) % piezas().size()]); break;
            case 4: s.insert(pos(g), s.substr(pos(g), 40)); break;
        }
    }
    return s;
}

TEST(Robustez, FicherosAleatoriosYMutadosEnTodosLosFormatos) {
    std::mt19937 g(20261206);
    std::vector<std::string> casos;
    for (int i = 0; i < 60; ++i) casos.push_back(aleatorio(g));
    for (const auto& s : semillas())
        for (int i = 0; i < 25; ++i) casos.push_back(mutar(s, g));
    casos.push_back(std::string(70000, '1') + "\n" + std::string(70000, ' '));
    casos.push_back(std::string(5000, '\r'));
    casos.push_back(std::string(3000, '\xFF'));

    prueba::Importacion imp;
    for (const auto& formato : tablaFormatos()) {
        for (const auto& caso : casos) {
            imp.libreta.vaciar();
            imp.avisos.mensajes.clear();
            const auto r = imp.importar(formato.indice, caso);
            ASSERT_TRUE(r == ResultadoImportacion::Cerrar || r == ResultadoImportacion::Fallo) << formato.indice;
            if (r == ResultadoImportacion::Fallo && formato.disponible) {
                ASSERT_EQ(imp.avisos.mensajes.size(), 1u);  // a refusal is one message
                EXPECT_TRUE(imp.avisos.mensajes[0].texto.ends_with(mensajes::kFormatoNoCoincide));
                if (!formato.directo) {
                    EXPECT_TRUE(imp.libreta.estaciones.empty()) << formato.indice;
                }
            }
            // Whatever was read: texts within their fields, ranges honoured.
            for (const auto& e : imp.libreta.estaciones)
                for (const auto& s : e->estacionamientos) {
                    EXPECT_LE(s->nombre.longitud(), 14u);
                    for (const auto& l : s->lecturas) EXPECT_LE(l.codigo.longitud(), 51u);
                }
            // The reader alone returns a clean state and codes of 49 at most.
            if (std::set<int>{5, 7, 11, 12, 18, 25, 27, 28}.count(formato.indice)) {
                const Estado e = imp.leer(formato.indice, caso);
                ASSERT_TRUE(e == Estado::Exito || e == Estado::Fallo);
                for (const auto& l : imp.listas.lecturas()) ASSERT_LE(l.texto.longitud(), 49u);
            }
        }
    }
}

}  // namespace
}  // namespace celvara
