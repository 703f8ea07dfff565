// The readers of the remaining formats: the real files of the samples folder
// (counts made here from the file itself), synthetic files written from the
// published layouts, and the refusal of every foreign sample.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <tuple>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "import/ayuda_importacion.h"
#include "import/detectar_formato.h"
#include "import/importar_antiguos.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::Importacion;
using prueba::nombresLecturas;

const std::filesystem::path kMuestras = CELVARA_MUESTRAS;

#define REQUIERE_MUESTRAS()                                                         \
    if (!std::filesystem::is_directory(kMuestras)) GTEST_SKIP() << "sin muestras en " << kMuestras

std::vector<std::string> lineasDe(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::string todo((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<std::string> lineas;
    std::string l;
    for (char c : todo) {
        if (c == '\n' || c == '\r') {
            if (!l.empty()) lineas.push_back(l);
            l.clear();
        } else {
            l += c;
        }
    }
    if (!l.empty()) lineas.push_back(l);
    return lineas;
}

std::size_t contarEstacionamientos(const CLibretaCampo& l) { return l.contarEstacionamientos(); }

const Lectura* buscarLectura(const CLibretaCampo& libreta, std::string_view nombre) {
    for (const auto& e : libreta.estaciones)
        for (const auto& s : e->estacionamientos)
            for (const auto& l : s->lecturas)
                if (l.nombre.vista() == nombre) return &l;
    return nullptr;
}

// Station records and sightings of a Geodimeter file, block by block: a
// set-up per station record followed by a sighting (a record repeated with
// nothing between counts once), a sighting per point block with 7, 8, 9 or 11.
struct CuentaGeodimeter {
    std::size_t estacionamientos = 0, visuales = 0;
    std::set<std::string> coordenadas;
};
CuentaGeodimeter contarGeodimeter(const std::filesystem::path& ruta) {
    CuentaGeodimeter c;
    char bloque = 0;
    bool visual = false, xyz = false, estacionSinVisual = false;
    std::string nombre;
    auto cerrar = [&] {
        if (bloque == '5' && visual) {
            if (estacionSinVisual) ++c.estacionamientos;
            estacionSinVisual = false;
            ++c.visuales;
        }
        if (bloque == '5' && !visual && xyz) c.coordenadas.insert(nombre);
        if (bloque == '2') estacionSinVisual = true;
        visual = xyz = false;
    };
    for (const auto& l : lineasDe(ruta)) {
        const auto igual = l.find('=');
        if (igual == std::string::npos) continue;
        const std::string etiqueta = l.substr(0, igual);
        if (etiqueta == "2" || etiqueta == "5") {
            cerrar();
            bloque = etiqueta[0];
            nombre = l.substr(igual + 1);
        } else if (etiqueta == "7" || etiqueta == "8" || etiqueta == "9" || etiqueta == "11") {
            visual = true;
        } else if (etiqueta == "37" || etiqueta == "38" || etiqueta == "39") {
            xyz = true;
        }
    }
    cerrar();
    return c;
}

TEST(LectoresMuestras, GeodimeterJobAreYTrimble) {
    REQUIERE_MUESTRAS();
    for (const char* nombre : {"geodimeter_test1.job", "geodimeter_trimble_BSG.are", "geodimeter_test1.are"}) {
        const auto ruta = kMuestras / nombre;
        const CuentaGeodimeter cuenta = contarGeodimeter(ruta);
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(4, ruta), ResultadoImportacion::Cerrar) << nombre;
        EXPECT_EQ(imp.libreta.contarLecturas(), cuenta.visuales) << nombre;
        EXPECT_EQ(contarEstacionamientos(imp.libreta), cuenta.estacionamientos) << nombre;
        for (const auto& c : cuenta.coordenadas) EXPECT_TRUE(imp.libreta.buscarEstacion(c)) << nombre << " " << c;
    }
    Importacion job;
    ASSERT_EQ(job.importarRuta(4, kMuestras / "geodimeter_test1.job"), ResultadoImportacion::Cerrar);
    EXPECT_EQ(job.libreta.contarLecturas(), 46u);
    EXPECT_EQ(job.estacion(0).nombre.str(), "10001");
    EXPECT_DOUBLE_EQ(job.estacionamiento(0, 0).alturaInstrumento, 1.45);
    const Lectura& primera = job.estacionamiento(0, 0).lecturas[0];
    EXPECT_EQ(primera.nombre.str(), "10002");
    EXPECT_DOUBLE_EQ(primera.horizontal, 295.5435);
    // Label 11 stands in for a missing 9; label 6 stays for later points.
    const Lectura& l5002 = job.estacionamiento(0, 0).lecturas[2];
    EXPECT_DOUBLE_EQ(l5002.distancia, 954.73);
    EXPECT_DOUBLE_EQ(job.estacionamiento(0, 0).lecturas[3].jalon, 1.3);
    ASSERT_TRUE(buscarLectura(job.libreta, "1_tr"));

    Importacion are;
    ASSERT_EQ(are.importarRuta(4, kMuestras / "geodimeter_test1.are"), ResultadoImportacion::Cerrar);
    const Estacion* e = are.libreta.buscarEstacion("10001");
    ASSERT_TRUE(e);
    EXPECT_DOUBLE_EQ(e->x, 91515.44);  // 38 east
    EXPECT_DOUBLE_EQ(e->y, 2815.22);   // 37 north
    EXPECT_DOUBLE_EQ(e->z, 111.92);
}

TEST(LectoresMuestras, SdrNikonZeissTopcon) {
    REQUIERE_MUESTRAS();
    {
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(3, kMuestras / "sdr33_set5f_coords.sdr"), ResultadoImportacion::Cerrar);
        std::size_t puntos = 0;
        for (const auto& l : lineasDe(kMuestras / "sdr33_set5f_coords.sdr")) puntos += l.rfind("08", 0) == 0;
        EXPECT_EQ(imp.libreta.estaciones.size(), puntos + 1);
        const Estacion* e = imp.libreta.buscarEstacion("31");
        ASSERT_TRUE(e);
        EXPECT_DOUBLE_EQ(e->x, 937.274);  // north first in the header
        EXPECT_DOUBLE_EQ(e->y, 509.97);
        ASSERT_EQ(e->estacionamientos.size(), 1u);
        EXPECT_EQ(e->estacionamientos[0]->nombre.str(), "31_(1)");
        EXPECT_DOUBLE_EQ(e->estacionamientos[0]->alturaInstrumento, 1.505);
    }
    for (const char* nombre : {"nikon_raw_v200_npl352.raw", "nikon_raw_v200_dtm330.raw", "nikon_raw_v200_npl350.raw"}) {
        std::size_t visuales = 0, estaciones = 0;
        bool estacionAbierta = false;
        for (const auto& l : lineasDe(kMuestras / nombre)) {
            const std::string t = l.substr(0, 3);
            if (t == "ST,") estacionAbierta = true;
            if (t == "SS," || t == "F1," || t == "F2," || t == "CP,") {
                ++visuales;
                estaciones += estacionAbierta;
                estacionAbierta = false;
            }
        }
        for (int indice : {2, 6, 15, 26}) {
            Importacion imp;
            ASSERT_EQ(imp.importarRuta(indice, kMuestras / nombre), ResultadoImportacion::Cerrar) << nombre;
            EXPECT_EQ(imp.libreta.contarLecturas(), visuales) << nombre;
            EXPECT_EQ(contarEstacionamientos(imp.libreta), estaciones) << nombre;
        }
    }
    {
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(15, kMuestras / "nikon_raw_v200_dtm330.raw"), ResultadoImportacion::Cerrar);
        const Lectura* l3 = buscarLectura(imp.libreta, "3");
        ASSERT_TRUE(l3);
        // 329°14'28" and 89°18'07" as decimal degrees of a 360 set-up.
        EXPECT_NEAR(l3->horizontal, 329.0 + 14.0 / 60 + 28.0 / 3600, 1e-9);
        EXPECT_NEAR(l3->vertical, 89.0 + 18.0 / 60 + 7.0 / 3600, 1e-9);
        EXPECT_DOUBLE_EQ(l3->distancia, 29.613);
        EXPECT_EQ(l3->codigo.str(), "HC");
        EXPECT_EQ(imp.estacionamiento(0, 0).datos.unidadAngular, kSexagesimal);
    }
    for (const char* nombre : {"zeiss_m5_elta_r55_coords.dat", "zeiss_rec500_elta_r55_coords.dat"}) {
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(23, kMuestras / nombre), ResultadoImportacion::Cerrar) << nombre;
        EXPECT_EQ(imp.libreta.contarLecturas(), 0u);  // coordinates only
        std::set<std::string> ids;
        for (const auto& l : lineasDe(kMuestras / nombre)) {
            const auto x = l.find("X ");
            if (x == std::string::npos) continue;
            const bool m5 = l.rfind("For M5", 0) == 0;
            std::string id = m5 ? l.substr(21, 19) : l.substr(8, 19);
            id.erase(0, id.find_first_not_of(' '));
            id.erase(0, std::min(id.find_first_not_of('0'), id.size() - 1));
            ids.insert(id);
        }
        for (const auto& id : ids) EXPECT_TRUE(imp.libreta.buscarEstacion(id)) << nombre << " " << id;
    }
    {
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(23, kMuestras / "zeiss_rec500_elta_r55_coords.dat"), ResultadoImportacion::Cerrar);
        const Estacion* e = imp.libreta.buscarEstacion("508");
        ASSERT_TRUE(e);
        EXPECT_DOUBLE_EQ(e->y, 77.688);
        EXPECT_DOUBLE_EQ(e->x, -91.484);
        EXPECT_DOUBLE_EQ(e->z, 156.261);
    }
    {
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(24, kMuestras / "topcon_gts229_serial.raw"), ResultadoImportacion::Cerrar);
        // Measurements counted in the joined data of the blocks (STX, data,
        // 4-character checksum, ETX): a record may run across two blocks.
        std::string datos;
        for (const auto& l : lineasDe(kMuestras / "topcon_gts229_serial.raw"))
            if (l.size() > 6 && l[0] == '\x02') datos += l.substr(1, l.size() - 6);
        std::size_t medidas = 0;
        for (std::size_t p = 0; (p = datos.find("_ ?", p)) != std::string::npos; ++p) ++medidas;
        EXPECT_EQ(medidas, 53u);
        EXPECT_EQ(imp.libreta.contarLecturas(), medidas);
        const Estacionamiento& s = imp.estacionamiento(0, 0);
        EXPECT_DOUBLE_EQ(s.alturaInstrumento, 1.54);
        EXPECT_EQ(s.lecturas.back().nombre.str(), "53");
        EXPECT_DOUBLE_EQ(s.lecturas[0].distancia, 43.575);
        EXPECT_DOUBLE_EQ(s.lecturas[0].vertical, 97.093);
        EXPECT_DOUBLE_EQ(s.lecturas[0].horizontal, 131.726);
        EXPECT_DOUBLE_EQ(s.lecturas[0].jalon, 1.5);
    }
}

// Which entries read each sample; every other entry must refuse it with its
// message (never an empty book or zeros).
TEST(LectoresMuestras, CadaLectorRechazaLoQueNoEsSuyo) {
    REQUIERE_MUESTRAS();
    const std::set<int> gsi{5, 18, 25, 27, 28, 32}, nikon{2, 6, 15, 26}, zeiss{17, 23}, sdr{1, 3, 19, 22};
    const std::map<std::string, std::set<int>> leen = {
        {"gsi8_wild_t1000_RILIEVO.gsi", {5, 27}},
        {"gsi8_ertola.gsi", {5, 27}},
        {"gsi16_gurob.gsi", {5, 27}},
        {"geodimeter_test1.job", {4}},
        {"geodimeter_test1.are", {4}},
        {"geodimeter_trimble_BSG.are", {4}},
        {"sdr33_set5f_coords.sdr", sdr},
        {"nikon_raw_v200_npl352.raw", nikon},
        {"nikon_raw_v200_dtm330.raw", nikon},
        {"nikon_raw_v200_npl350.raw", nikon},
        {"zeiss_m5_elta_r55_coords.dat", zeiss},
        {"zeiss_rec500_elta_r55_coords.dat", zeiss},
        {"topcon_gts229_serial.raw", {24, 30}},
    };
    for (const auto& [nombre, lectores] : leen) {
        for (const auto& formato : tablaFormatos()) {
            Importacion imp;
            const auto r = imp.importarRuta(formato.indice, kMuestras / nombre);
            if (lectores.count(formato.indice)) {
                EXPECT_EQ(r, ResultadoImportacion::Cerrar) << nombre << " " << formato.indice;
                continue;
            }
            EXPECT_EQ(r, ResultadoImportacion::Fallo) << nombre << " " << formato.indice;
            EXPECT_TRUE(imp.libreta.estaciones.empty()) << nombre << " " << formato.indice;
            ASSERT_FALSE(imp.avisos.mensajes.empty()) << nombre << " " << formato.indice;
            EXPECT_EQ(imp.avisos.mensajes.back().texto, mensajes::kFormatoNoCoincide);
        }
    }
}

TEST(LectoresMuestras, DetectarFormatoPorElContenido) {
    REQUIERE_MUESTRAS();
    const CDatosGenerales ajustes;
    const std::map<std::string, int> esperado = {
        {"gsi8_wild_t1000_RILIEVO.gsi", 5},     {"gsi16_gurob.gsi", 5},         {"geodimeter_test1.job", 4},
        {"geodimeter_trimble_BSG.are", 4},      {"sdr33_set5f_coords.sdr", 1},  {"nikon_raw_v200_dtm330.raw", 2},
        {"zeiss_rec500_elta_r55_coords.dat", 17}, {"topcon_gts229_serial.raw", 24},
    };
    for (const auto& [nombre, indice] : esperado) {
        const DeteccionFormato d = detectarFormato(kMuestras / nombre, ajustes);
        EXPECT_EQ(d.indice, indice) << nombre << " " << d.mensaje;
    }
    // Code-42 station blocks mean the code-42 entry.
    Importacion imp;
    const std::string gsi = prueba::w8(41, 1, "0001") + prueba::wTexto(42, "B1") + prueba::w8(88, 1500) + "\n" +
                            prueba::punto8(1) + prueba::w8(21, 1000) + "\n";
    prueba::escribirFichero(imp.carpeta / "c42.gsi", gsi);
    EXPECT_EQ(detectarFormato(imp.carpeta / "c42.gsi", ajustes).indice, 18);
    // Two readings of one file that give different books: no guess, a list.
    prueba::escribirFichero(imp.carpeta / "dos.txt", "E1,1,10,100,20,1.5,1.45,x\n");
    const DeteccionFormato dos = detectarFormato(imp.carpeta / "dos.txt", ajustes);
    EXPECT_FALSE(dos.indice);
    EXPECT_EQ(dos.mensaje.rfind(kVariosFormatos, 0), 0u);
    EXPECT_NE(dos.mensaje.find("\n8 .TAC de TACOR"), std::string::npos);  // also 13 and 14: one book
    EXPECT_NE(dos.mensaje.find("\n21 ASCII de VESTRUM"), std::string::npos);
    // Its extension breaks the tie.
    prueba::escribirFichero(imp.carpeta / "dos.asc", "E1,1,10,100,20,1.5,1.45,x\n");
    EXPECT_EQ(detectarFormato(imp.carpeta / "dos.asc", ajustes).indice, 21);
}

TEST(LectoresSinteticos, TopcalComasYListaAscii) {
    // Under a comma locale "1.450" is still 1.45.
    const char* anterior = std::setlocale(LC_NUMERIC, nullptr);
    const std::string guardado = anterior ? anterior : "C";
    const bool coma = std::setlocale(LC_NUMERIC, "es_ES.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8");

    Importacion topcal;
    ASSERT_EQ(topcal.importar(16, "E1 1 10.5 99.5 20.25 1.5 1.450 esquina norte\n"
                                  "E1 2 11\n"
                                  "E1 3 12 100 30 1.5 1.600 CASA\n"
                                  "E1\n"
                                  "E2 007 13 101 40 1.3\n"),
              ResultadoImportacion::Cerrar);
    ASSERT_EQ(topcal.libreta.estaciones.size(), 2u);
    ASSERT_EQ(topcal.estacion(0).estacionamientos.size(), 2u);  // the height changed at 3
    EXPECT_DOUBLE_EQ(topcal.estacionamiento(0, 0).alturaInstrumento, 1.45);
    EXPECT_EQ(nombresLecturas(topcal.estacionamiento(0, 0)), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(topcal.estacionamiento(0, 0).lecturas[0].codigo.str(), "esquina norte");
    EXPECT_DOUBLE_EQ(topcal.estacionamiento(0, 0).lecturas[1].horizontal, 11.0);
    EXPECT_DOUBLE_EQ(topcal.estacionamiento(0, 0).lecturas[1].distancia, 0.0);
    EXPECT_EQ(topcal.estacionamiento(1, 0).lecturas[0].nombre.str(), "7");

    Importacion comas;
    ASSERT_EQ(comas.importar(13, "E1,1,10.5,99.5,20.25,1.5,1.45,A B\nE1,2,11,100,21,1.5,1.45,\n"),
              ResultadoImportacion::Cerrar);
    EXPECT_EQ(comas.libreta.contarLecturas(), 2u);
    EXPECT_EQ(comas.estacionamiento(0, 0).lecturas[0].codigo.str(), "A B");

    Importacion ascii;
    ASSERT_EQ(ascii.importar(21, "corto,1,2\n1,1.5,20.5,99.1,10.25,casa\n2,1.5,21.5,98.1,11.25,muro, norte\n"),
              ResultadoImportacion::Cerrar);
    ASSERT_EQ(ascii.libreta.estaciones.size(), 1u);
    EXPECT_EQ(ascii.estacion(0).nombre.str(), "ST");
    const Lectura& l = ascii.estacionamiento(0, 0).lecturas[1];
    EXPECT_DOUBLE_EQ(l.jalon, 1.5);
    EXPECT_DOUBLE_EQ(l.distancia, 21.5);
    EXPECT_DOUBLE_EQ(l.vertical, 98.1);
    EXPECT_DOUBLE_EQ(l.horizontal, 11.25);
    EXPECT_EQ(l.codigo.str(), " norte");

    // Backsight texts written and read back under the same locale.
    Importacion nikon;
    ASSERT_EQ(nikon.importar(15, "CO,Nikon RAW data format V2.00\nST,1,,2,,1.450,100.5000,40.2500\n"
                                 "SS,2,1.500,10.125,40.2500,100.0000,10:00:00,BS\n"),
              ResultadoImportacion::Cerrar);
    EXPECT_DOUBLE_EQ(nikon.estacionamiento(0, 0).alturaInstrumento, 1.45);
    EXPECT_DOUBLE_EQ(nikon.estacionamiento(0, 0).desorientacion, 60.25);
    EXPECT_DOUBLE_EQ(nikon.estacionamiento(0, 0).lecturas[0].distancia, 10.125);

    std::setlocale(LC_NUMERIC, guardado.c_str());
    if (!coma) GTEST_SKIP() << "sin locale con coma decimal";
}

// Label 23 with a third digit 1: DDD.MMSS angles, read from the text so that
// 89.1700 is 89°17' exactly, and a sexagesimal set-up.
TEST(LectoresSinteticos, GeodimeterGradosMinutosSegundos) {
    Importacion dms;
    ASSERT_EQ(dms.importar(4, "23=0012\n2=E1\n3=1.500\n5=1\n7=295.5435\n8=89.1700\n9=10.000\n"),
              ResultadoImportacion::Cerrar);
    const Estacionamiento& s = dms.estacionamiento(0, 0);
    EXPECT_EQ(s.datos.unidadAngular, kSexagesimal);
    EXPECT_NEAR(s.lecturas[0].horizontal, 295 + 54 / 60.0 + 35 / 3600.0, 1e-12);
    EXPECT_NEAR(s.lecturas[0].vertical, 89 + 17 / 60.0, 1e-12);

    Importacion tal;  // without the unit label the angles stay as written
    ASSERT_EQ(tal.importar(4, "2=E1\n5=1\n7=295.5435\n"), ResultadoImportacion::Cerrar);
    EXPECT_DOUBLE_EQ(tal.estacionamiento(0, 0).lecturas[0].horizontal, 295.5435);
}

TEST(LectoresSinteticos, SdrCortoR315nYSouth) {
    // SDR2x: 4-character points; degrees (1), feet (2), east first (2).
    const std::string sdr =
        "00NMSDR20V03-05     000001-JAN-00 00:00 121121\n"
        "02KI0012    1000.0    2000.0     100.0       5.0STA\n"
        "03NM       5.0\n"
        "07KI00120013   45.0000   10.0000\n"
        "09F100120013     100.0   90.0000   55.5000POSTE\n"
        "09F10012  14     200.0   80.0000   65.5000\n";
    Importacion imp;
    ASSERT_EQ(imp.importar(3, sdr), ResultadoImportacion::Cerrar);
    const Estacion* e = imp.libreta.buscarEstacion("12");
    ASSERT_TRUE(e);
    EXPECT_DOUBLE_EQ(e->x, 1000.0 * 0.3048);
    EXPECT_DOUBLE_EQ(e->y, 2000.0 * 0.3048);
    const Estacionamiento& s = *e->estacionamientos.at(0);
    EXPECT_EQ(s.nombre.str(), "12_(1)");
    EXPECT_DOUBLE_EQ(s.alturaInstrumento, 5.0 * 0.3048);
    EXPECT_DOUBLE_EQ(s.desorientacion, 35.0);
    EXPECT_EQ(s.datos.unidadAngular, kSexagesimal);
    EXPECT_EQ(nombresLecturas(s), (std::vector<std::string>{"13", "14"}));
    EXPECT_DOUBLE_EQ(s.lecturas[0].distancia, 100.0 * 0.3048);
    EXPECT_DOUBLE_EQ(s.lecturas[0].jalon, 5.0 * 0.3048);
    EXPECT_DOUBLE_EQ(s.lecturas[0].horizontal, 55.5);
    EXPECT_EQ(s.lecturas[0].codigo.str(), "POSTE");

    Importacion r315;
    ASSERT_EQ(r315.importar(31, "STS: B 1\nINH:1.55\nPPD:D0101\nPPH:1.6\nRTH:10.5\nRTV:99\nRTD:25.5\nPPC:ARBOL\n"
                                "PPD:102\nRTH:11\nSTS:B2\nINH:1.4\nPPD:7\nRTH:3\n"),
              ResultadoImportacion::Cerrar);
    ASSERT_EQ(r315.libreta.estaciones.size(), 2u);
    EXPECT_EQ(r315.estacionamiento(0, 0).nombre.str(), "B1_(1)");
    EXPECT_DOUBLE_EQ(r315.estacionamiento(0, 0).alturaInstrumento, 1.55);
    EXPECT_EQ(nombresLecturas(r315.estacionamiento(0, 0)), (std::vector<std::string>{"101", "102"}));
    EXPECT_DOUBLE_EQ(r315.estacionamiento(0, 0).lecturas[1].jalon, 1.6);
    EXPECT_EQ(r315.estacionamiento(0, 0).lecturas[0].codigo.str(), "ARBOL");

    Importacion south;
    ASSERT_EQ(south.importar(29, "STA ST001,1.205,AD\nXYZ 100.000,200.000,10.000\nBKB BS001,45.2526,50.0000\n"
                                 "BS BS001,1.800\nHVD 98.2354,90.2314,10.235\nSC A1,1.800,CODE1\n"
                                 "NEZ 104.662,99.567,10.214\nSD A2,1.700,CODE1\nHVD 78.3628,92.4612,4.751\n"
                                 "SA A3,1.800,CODE1\nHV 63.2349,89.2547\nNOTE this note\n"),
              ResultadoImportacion::Cerrar);
    EXPECT_EQ(nombresLecturas(south.estacionamiento(0, 0)), (std::vector<std::string>{"BS001", "A2", "A3"}));
    EXPECT_DOUBLE_EQ(south.estacion(0).x, 200.0);
    EXPECT_TRUE(south.libreta.buscarEstacion("A1"));
    EXPECT_DOUBLE_EQ(south.estacionamiento(0, 0).lecturas[1].distancia, 4.751);
    EXPECT_DOUBLE_EQ(south.estacionamiento(0, 0).lecturas[1].jalon, 1.7);
}

TEST(LectoresSinteticos, CoordenadasExistentesNoSeSobrescriben) {
    Importacion imp;
    crearEstacion(imp.libreta.estaciones, {.nombre = "10001", .coordenadas = Coordenadas{1, 2, 3}});
    ASSERT_EQ(imp.importar(4, "5=10001\n37=20\n38=10\n39=3\n5=10002\n37=5\n38=6\n"), ResultadoImportacion::Cerrar);
    EXPECT_DOUBLE_EQ(imp.estacion(0).x, 1.0);
    ASSERT_EQ(imp.avisos.mensajes.size(), 1u);
    EXPECT_EQ(imp.avisos.mensajes[0].texto.rfind(mensajes::kCoordenadasDistintas, 0), 0u);
    EXPECT_DOUBLE_EQ(imp.libreta.buscarEstacion("10002")->x, 6.0);
    // A file with no station and no sighting is refused.
    Importacion vacio;
    EXPECT_EQ(vacio.importar(4, "50=JOB\n0=nota\n"), ResultadoImportacion::Fallo);
    EXPECT_EQ(vacio.avisos.mensajes.front().texto, mensajes::kFicheroSinDatos);
}

TEST(LectoresSinteticos, CancelarNoDejaNadaEnLaLibreta) {
    std::string gsi;
    for (int n = 1; n <= 3000; ++n) gsi += prueba::punto8(n) + prueba::w8(21, 1000 * n, ".322") + "\n";
    for (int indice : {5, 27}) {
        Importacion imp;
        prueba::escribirFichero(imp.carpeta / "g.gsi", gsi);
        CImportarDatosCampo dialogo(imp.ajustes, imp.libreta, &imp.bandera, imp.avisos);
        dialogo.seleccionar(indice);
        std::vector<double> partes;
        dialogo.fijarProgreso([&](double p) {
            partes.push_back(p);
            return partes.size() < 3;
        });
        EXPECT_EQ(dialogo.importarFichero(imp.carpeta / "g.gsi"), ResultadoImportacion::SinAccion) << indice;
        EXPECT_TRUE(imp.libreta.estaciones.empty()) << indice;
        EXPECT_TRUE(imp.avisos.mensajes.empty()) << indice;
        ASSERT_EQ(partes.size(), 3u);
        EXPECT_LT(partes[0], partes[1]);
        dialogo.fijarProgreso([](double) { return true; });
        EXPECT_EQ(dialogo.importarFichero(imp.carpeta / "g.gsi"), ResultadoImportacion::Cerrar) << indice;
        EXPECT_EQ(imp.libreta.contarLecturas(), 3000u) << indice;
    }
}

TEST(ImportarAntiguos, TopcalAsciiYRadiacionV4) {
    prueba::CarpetaTemporal dir;
    CLibretaCampo libreta;
    crearEstacion(libreta.estaciones, {.nombre = "E1"});
    crearEstacionamiento(libreta.estaciones[0]->estacionamientos, nullptr, "E1_(1)", "E1", 1.0, nullptr, 0);
    DatosComplementarios porDefecto;
    porDefecto.unidadAngular = kSexagesimal;
    std::string error;
    prueba::escribirFichero(dir / "t.txt", "E1 1 10 100 20 1.5 1.45 casa\nE1 2 11 100 21 1.5 1.6 x\n"
                                           "E2 3 12 100 22 1.5 1.6 y\n");
    ASSERT_TRUE(importarTopcalAscii(libreta, porDefecto, dir / "t.txt", true, error));
    const auto& e1 = libreta.estaciones[0]->estacionamientos;
    ASSERT_EQ(e1.size(), 3u);
    EXPECT_EQ(e1[1]->nombre.str(), "E1_(2)");
    EXPECT_EQ(e1[2]->nombre.str(), "E1_(3)");
    EXPECT_EQ(e1[1]->lecturas[0].codigo.str(), "casa");
    EXPECT_EQ(e1[0]->datos.unidadAngular, kCentesimal);  // not created here: untouched
    EXPECT_EQ(e1[1]->datos.unidadAngular, kSexagesimal);
    // An incomplete record changes nothing.
    prueba::escribirFichero(dir / "malo.txt", "E3 1 10 100 20 1.5 1.45\nE3 2 11\n");
    EXPECT_FALSE(importarTopcalAscii(libreta, porDefecto, dir / "malo.txt", false, error));
    EXPECT_EQ(error, kErrorLeerFichero);
    EXPECT_EQ(libreta.estaciones.size(), 2u);

    // Radiation file: header, 2 set-ups, 3 readings built from the layout.
    std::string rad(96, 'H');
    auto u32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) rad += static_cast<char>(v >> (8 * i) & 0xFF); };
    auto f64 = [&](double d) {
        std::uint64_t u;
        std::memcpy(&u, &d, 8);
        for (int i = 0; i < 8; ++i) rad += static_cast<char>(u >> (8 * i) & 0xFF);
    };
    auto texto = [&](std::string_view t, std::size_t n) { rad += std::string(t) + std::string(n - t.size(), '\0'); };
    u32(2);
    for (auto [nombre, a, b, alt] : {std::tuple{"R1", 1, 2, 1.5}, std::tuple{"R2", 3, 3, 1.6}}) {
        texto(nombre, 16);
        u32(a);
        u32(b);
        texto("100", 15);
        texto("40", 17);
        f64(alt);
        u32(0);
        u32(0);
    }
    for (int n : {1, 2, 3}) {
        u32(n);
        u32(0);
        for (double v : {1.2, 10.0 * n, 99.0, 5.0 * n}) f64(v);
        texto("cod", 52);
        u32(0);
        u32(0);
        u32(0);
    }
    prueba::escribirFichero(dir / "r.rad", rad);
    CLibretaCampo r;
    ASSERT_TRUE(importarRadiacionV4(r, {}, dir / "r.rad", error));
    ASSERT_EQ(r.estaciones.size(), 2u);
    const Estacionamiento& s = *r.estaciones[0]->estacionamientos[0];
    EXPECT_EQ(s.nombre.str(), "R1(1)");
    EXPECT_DOUBLE_EQ(s.desorientacion, 60.0);
    EXPECT_EQ(nombresLecturas(s), (std::vector<std::string>{"1", "2"}));
    EXPECT_DOUBLE_EQ(s.lecturas[1].distancia, 20.0);
    EXPECT_DOUBLE_EQ(s.lecturas[1].horizontal, 10.0);
    EXPECT_EQ(nombresLecturas(*r.estaciones[1]->estacionamientos[0]), (std::vector<std::string>{"3"}));
    prueba::escribirFichero(dir / "corto.rad", rad.substr(0, rad.size() - 3));
    CLibretaCampo nada;
    EXPECT_FALSE(importarRadiacionV4(nada, {}, dir / "corto.rad", error));
    EXPECT_TRUE(nada.estaciones.empty());
}

}  // namespace
}  // namespace celvara
