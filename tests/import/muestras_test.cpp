// Real instrument files (kept beside the project, never copied into it):
// each reads with its readers, with counts taken from the file itself,
// and every other reader refuses it cleanly.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "calc/calculo_punto.h"
#include "import/ayuda_importacion.h"
#include "import/detectar_formato.h"
#include "import/mensajes_importacion.h"

namespace celvara {
namespace {

using prueba::Importacion;
using prueba::kMuestras;
using prueba::medida;
using V = std::vector<std::string>;

std::vector<std::string> lineasDe(const std::filesystem::path& ruta) {
    std::vector<std::string> lineas;
    std::string l;
    for (char c : prueba::leerFichero(ruta) + "\n") {
        if (c != '\n' && c != '\r') {
            l += c;
        } else if (!l.empty()) {
            lineas.push_back(l);
            l.clear();
        }
    }
    return lineas;
}

const Lectura* buscarLectura(const CLibretaCampo& libreta, std::string_view nombre) {
    for (const auto& e : libreta.estaciones)
        for (const auto& s : e->estacionamientos)
            for (const auto& l : s->lecturas)
                if (l.nombre.vista() == nombre) return &l;
    return nullptr;
}

// The GSI samples through the plain (5) and the special (27) reader: the
// readings kept, the stations, the first set-up ("height unit readings
// last"), one reading in full, the messages shown.
TEST(Muestras, GsiConLosDosLectores) {
    REQUIERE_MUESTRAS();
    const std::string sinStazion1 = std::string(mensajes::kResumenOmitidas) +
                                    "\nlínea 528: STAZION1 500.000 500.000 0.000, solo coordenadas: no hay en la "
                                    "libreta una estación con ese nombre";
    const struct {
        const char* fichero;
        std::size_t lecturas, cual;
        std::string estaciones, estacionamiento, medida;
        V avisos;
    } casos[] = {
        // Carriage returns only; words 31 and 32 on one line: the slope distance.
        {"gsi8_wild_t1000_RILIEVO.gsi", 23, 2, "ST", "0 400 23 122", "102 132.471 103.782 5.165 0", {}},
        // 699 lines: 4 station lines and line 528, STAZION1's coordinates
        // alone (no such station: left out, and said). STAZLIB4 is recorded
        // twice with coordinates 11 mm apart: the file's own matter in a new
        // book, summed up with what was left out.
        {"gsi8_ertola.gsi", 694, 0, "ST STAZLIB3 STAZLIB4", "0 400 497 STAZ03", "1 34.9694 93.6436 30.485 1.5 1",
         {std::string(mensajes::kResumenOmitidas) +
          "\nSTAZLIB4 524.452 445.059 0.352: el fichero ya dio antes a esta estación 524.441 445.069 0.388, que se "
          "conservan" + sinStazion1.substr(std::string(mensajes::kResumenOmitidas).size())}},
        // Alphanumeric ids; unit digit 4: 35°45'10.0" as degrees of a 360 set-up.
        {"gsi16_gurob.gsi", 343, 0, "ST", "1.324 360 343 GDEM5829", "GDEM5415 35.75277778 91.2975 13.825 1.3", {}},
    };
    for (const auto& c : casos)
        for (int indice : {5, 27}) {
            SCOPED_TRACE(std::string(c.fichero) + " " + std::to_string(indice));
            Importacion imp;
            ASSERT_EQ(imp.importarRuta(indice, kMuestras / c.fichero), ResultadoImportacion::Cerrar);
            EXPECT_EQ(imp.libreta.contarLecturas(), c.lecturas);
            std::string estaciones;
            for (const auto& e : imp.libreta.estaciones) estaciones += (estaciones.empty() ? "" : " ") + e->nombre.str();
            EXPECT_EQ(estaciones, c.estaciones);
            const Estacionamiento& s = imp.estacionamiento(0, 0);
            EXPECT_EQ(prueba::num(s.alturaInstrumento) + " " + std::to_string(s.datos.unidadAngular) + " " +
                          std::to_string(s.lecturas.size()) + " " + s.lecturas.back().nombre.str(),
                      c.estacionamiento);
            EXPECT_EQ(medida(s.lecturas.at(c.cual)), c.medida);
            EXPECT_EQ(imp.avisos.textos(), c.avisos);
        }
}

// Readings and set-ups counted in each file: a set-up per station record
// followed by a sighting (a record repeated with nothing between counts
// once), a sighting per point block with 7, 8, 9 or 11.
TEST(Muestras, GeodimeterJobAreYTrimble) {
    REQUIERE_MUESTRAS();
    const std::tuple<const char*, std::size_t, std::size_t> cuentas[] = {
        {"geodimeter_test1.job", 46, 11}, {"geodimeter_trimble_BSG.are", 105, 3}, {"geodimeter_test1.are", 0, 0}};
    std::map<std::string, Importacion> libros;
    for (const auto& [nombre, lecturas, estacionamientos] : cuentas) {
        Importacion& imp = libros[nombre];
        ASSERT_EQ(imp.importarRuta(4, kMuestras / nombre), ResultadoImportacion::Cerrar) << nombre;
        EXPECT_EQ(imp.libreta.contarLecturas(), lecturas) << nombre;
        EXPECT_EQ(imp.libreta.contarEstacionamientos(), estacionamientos) << nombre;
    }
    const Importacion& job = libros.at("geodimeter_test1.job");
    EXPECT_EQ(job.estacion(0).nombre.str(), "10001");
    EXPECT_DOUBLE_EQ(job.estacionamiento(0, 0).alturaInstrumento, 1.45);
    const auto& l = job.estacionamiento(0, 0).lecturas;
    EXPECT_EQ(l[0].nombre.str(), "10002");
    EXPECT_DOUBLE_EQ(l[0].horizontal, 295.5435);
    // Label 11 stands in for a missing 9; label 6 stays for later points.
    EXPECT_DOUBLE_EQ(l[2].distancia, 954.73);
    EXPECT_DOUBLE_EQ(l[3].jalon, 1.3);
    ASSERT_TRUE(buscarLectura(job.libreta, "1_tr"));

    // test1.are holds the coordinates of 10 points and nothing else.
    const Importacion& are = libros.at("geodimeter_test1.are");
    EXPECT_EQ(are.libreta.estaciones.size(), 10u);
    const Estacion* e = are.libreta.buscarEstacion("10001");
    ASSERT_TRUE(e);
    EXPECT_EQ(prueba::xyz(*e), "91515.44 2815.22 111.92");  // 38 east, 37 north
}

TEST(Muestras, SdrNikonZeissTopcon) {
    REQUIERE_MUESTRAS();
    {
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(3, kMuestras / "sdr33_set5f_coords.sdr"), ResultadoImportacion::Cerrar);
        EXPECT_EQ(imp.libreta.estaciones.size(), 13u);  // the station and the file's 12 "08" points
        const Estacion* e = imp.libreta.buscarEstacion("31");
        ASSERT_TRUE(e);
        EXPECT_DOUBLE_EQ(e->x, 937.274);  // north first in the header
        EXPECT_DOUBLE_EQ(e->y, 509.97);
        ASSERT_EQ(e->estacionamientos.size(), 1u);
        EXPECT_EQ(e->estacionamientos[0]->nombre.str(), "31_(1)");
        EXPECT_DOUBLE_EQ(e->estacionamientos[0]->alturaInstrumento, 1.505);
    }
    // Sightings (SS, F1, F2, CP records) and the ST records followed by one,
    // counted in each file.
    const std::tuple<const char*, std::size_t, std::size_t> nikon[] = {
        {"nikon_raw_v200_npl352.raw", 83, 1}, {"nikon_raw_v200_dtm330.raw", 5, 3}, {"nikon_raw_v200_npl350.raw", 12, 2}};
    for (const auto& [nombre, visuales, estaciones] : nikon)
        for (int indice : {2, 6, 15, 26}) {
            Importacion imp;
            ASSERT_EQ(imp.importarRuta(indice, kMuestras / nombre), ResultadoImportacion::Cerrar) << nombre;
            EXPECT_EQ(imp.libreta.contarLecturas(), visuales) << nombre;
            EXPECT_EQ(imp.libreta.contarEstacionamientos(), estaciones) << nombre;
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
    // Coordinates only: a station per point id of the lines with X, Y or Z
    // (507 of the REC 500 file has only its Z).
    for (const auto& [nombre, puntos] : {std::pair{"zeiss_m5_elta_r55_coords.dat", 144u},
                                         std::pair{"zeiss_rec500_elta_r55_coords.dat", 123u}}) {
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(23, kMuestras / nombre), ResultadoImportacion::Cerrar) << nombre;
        EXPECT_EQ(imp.libreta.contarLecturas(), 0u);
        EXPECT_EQ(imp.libreta.estaciones.size(), puntos) << nombre;
        if (const Estacion* e = imp.libreta.buscarEstacion("508"); std::string(nombre).starts_with("zeiss_rec")) {
            ASSERT_TRUE(e);
            EXPECT_EQ(prueba::xyz(*e), "-91.484 77.688 156.261");
        }
    }
    {
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(24, kMuestras / "topcon_gts229_serial.raw"), ResultadoImportacion::Cerrar);
        // 53 measurements in the joined data of the blocks (STX, data,
        // 4-character checksum, ETX): a record may run across two blocks.
        EXPECT_EQ(imp.libreta.contarLecturas(), 53u);
        const Estacionamiento& s = imp.estacionamiento(0, 0);
        EXPECT_DOUBLE_EQ(s.alturaInstrumento, 1.54);
        EXPECT_EQ(s.lecturas.back().nombre.str(), "53");
        EXPECT_EQ(medida(s.lecturas[0]).substr(s.lecturas[0].nombre.longitud()), " 131.726 97.093 43.575 1.5");
    }
}

// A point whose coordinates the instrument stored beside its reading, with
// the station record in force and what the file says the instrument
// measured: read here from the file's own words and labels.
struct PuntoGuardado {
    std::string estacion, punto;
    std::array<double, 3> guardado{}, estacionGuardada{};
    bool deAcuerdo = false;  // the stored point lies where the distance says
};

double numeroTexto(std::string_view t) {
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    double v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

// The distance measured to a stored point agrees with the stored station
// within 5 cm: slope from instrument to target, or else horizontal.
bool deAcuerdo(const std::array<double, 3>& p, const std::array<double, 3>& e, double alturaInstrumento, double jalon,
               std::optional<double> inclinada, std::optional<double> reducida) {
    const double de = p[0] - e[0], dn = p[1] - e[1], dz = p[2] + jalon - e[2] - alturaInstrumento;
    if (inclinada) return std::abs(std::sqrt(de * de + dn * dn + dz * dz) - *inclinada) < 0.05;
    return reducida && std::abs(std::hypot(de, dn) - *reducida) < 0.05;
}

// GSI words: index, information (its last character the unit), sign and
// data; 81-83 the point, 84-86 the station, 88/87 the heights.
std::vector<PuntoGuardado> puntosGsi(const std::filesystem::path& ruta) {
    std::vector<PuntoGuardado> puntos;
    std::string estacion;
    std::array<double, 3> e{};
    double alturaInstrumento = 0;
    for (std::string l : lineasDe(ruta)) {
        if (l[0] == '*') l.erase(0, 1);
        std::map<int, double> w;
        std::string id;
        for (std::size_t p = 0; p < l.size();) {
            const std::size_t fin = std::min(l.find(' ', p), l.size());
            const std::string palabra = l.substr(p, fin - p);
            p = fin + 1;
            if (palabra.size() < 8 || !std::isdigit(static_cast<unsigned char>(palabra[0])) ||
                !std::isdigit(static_cast<unsigned char>(palabra[1])))
                continue;
            const int indice = (palabra[0] - '0') * 10 + (palabra[1] - '0');
            if (indice == 11) {
                id = prueba::sinCeros(palabra.substr(7));
                continue;
            }
            const double factor = palabra[5] == '6' ? 1e-4 : palabra[5] == '8' ? 1e-5 : 1e-3;  // else mm
            w[indice] = numeroTexto(palabra.substr(6)) * factor;
        }
        auto hay = [&](int i) { return w.count(i) > 0; };
        auto valor = [&](int i) { return hay(i) ? std::optional(w[i]) : std::nullopt; };
        if (hay(84)) {
            estacion = id;
            e = {w[84], w[85], w[86]};
            alturaInstrumento = w[88];
        } else if (hay(81) && (hay(21) || hay(22)) && !estacion.empty()) {
            PuntoGuardado p{estacion, id, {w[81], w[82], w[83]}, e};
            p.deAcuerdo = deAcuerdo(p.guardado, e, alturaInstrumento, w[87], valor(31), valor(32));
            puntos.push_back(p);
        }
    }
    return puntos;
}

// Geodimeter labels: 2 station (37 north, 38 east, 39 height, 3 instrument
// height), 5 point (6 target height carried, 9 slope, 11 horizontal, its
// stored 37/38/39); labels after 62 belong to the reference object.
std::vector<PuntoGuardado> puntosGeodimeter(const std::filesystem::path& ruta) {
    std::vector<PuntoGuardado> puntos;
    std::string estacion;
    std::array<double, 3> e{};
    double alturaInstrumento = 0, jalon = 0;
    std::vector<std::pair<int, std::string>> bloque;
    auto cerrar = [&] {
        if (bloque.empty()) return;
        std::map<int, double> v;
        bool referencia = false;
        for (std::size_t i = 1; i < bloque.size(); ++i) {
            const int etiqueta = bloque[i].first;
            referencia = referencia || etiqueta == 62;
            if (!(referencia && etiqueta >= 37 && etiqueta <= 39)) v[etiqueta] = numeroTexto(bloque[i].second);
        }
        auto valor = [&](int i) { return v.count(i) ? std::optional(v[i]) : std::nullopt; };
        if (v.count(6)) jalon = v[6];
        if (v.count(3)) alturaInstrumento = v[3];
        const bool xyz = v.count(37) && v.count(38);
        if (bloque[0].first == 2) {
            estacion = bloque[0].second;
            e = {v[38], v[37], v[39]};
        } else if (xyz && (v.count(7) || v.count(8)) && !estacion.empty()) {
            PuntoGuardado p{estacion, bloque[0].second, {v[38], v[37], v[39]}, e};
            p.deAcuerdo = deAcuerdo(p.guardado, e, alturaInstrumento, jalon, valor(9), valor(11));
            puntos.push_back(p);
        }
        bloque.clear();
    };
    for (const auto& l : lineasDe(ruta)) {
        const auto igual = l.find('=');
        if (igual == std::string::npos) continue;
        const int etiqueta = std::atoi(l.substr(0, igual).c_str());
        if (etiqueta == 2 || etiqueta == 5) cerrar();
        std::string valor = l.substr(igual + 1);
        if (etiqueta == 2 || etiqueta == 5) valor = prueba::sinCeros(valor);
        if (etiqueta == 2 || etiqueta == 5 || !bloque.empty()) bloque.emplace_back(etiqueta, valor);
    }
    cerrar();
    return puntos;
}

// Every sample whose instrument stored the coordinates of what it measured
// (GSI 81-83, Geodimeter 37-39 in a point block with angles), read with the
// format detection chose and radiated as imported, orientation included:
// each point seen from its station agrees with the instrument's own, seen
// from the station record in force. Points whose stored coordinates do not
// fit the measured distance from that record (a station the instrument knew
// but the file does not hold) are left out. The SDR, Zeiss and Nikon samples
// hold coordinates without readings, or readings without coordinates.
TEST(Muestras, RadiadasComoSeImportanCoincidenConLasDelInstrumento) {
    REQUIERE_MUESTRAS();
    const std::map<std::string, int> esperado = {{"gsi8_ertola.gsi", 5}, {"geodimeter_trimble_BSG.are", 4}};
    std::set<std::string> vistos;
    for (const auto& entrada : std::filesystem::directory_iterator(kMuestras)) {
        const auto nombre = entrada.path().filename().string();
        const auto extension = entrada.path().extension().string();
        std::vector<PuntoGuardado> guardados;
        if (extension == ".gsi") guardados = puntosGsi(entrada.path());
        if (extension == ".are" || extension == ".job") guardados = puntosGeodimeter(entrada.path());
        if (guardados.empty()) continue;
        SCOPED_TRACE(nombre);
        vistos.insert(nombre);
        const DeteccionFormato d = detectarFormato(entrada.path(), CDatosGenerales{});
        ASSERT_EQ(d.indice, esperado.count(nombre) ? std::optional(esperado.at(nombre)) : std::nullopt);
        Importacion imp;
        ASSERT_EQ(imp.importarRuta(*d.indice, entrada.path()), ResultadoImportacion::Cerrar);

        // The book's readings radiated, by station and point, in file order.
        std::map<std::pair<std::string, std::string>, std::deque<std::array<double, 3>>> radiados;
        for (const auto& e : imp.libreta.estaciones)
            for (const auto& s : e->estacionamientos) {
                CCalculoPunto calculo;
                calculo.cargarEstacionamiento(datosDeEstacionamiento(*e, *s));
                for (const auto& l : s->lecturas) {
                    calculo.cargarLectura(l.horizontal, l.vertical, l.distancia, l.jalon);
                    const PuntoCalculado& p = calculo.calcular();
                    radiados[{e->nombre.str(), l.nombre.str()}].push_back({p.x - e->x, p.y - e->y, p.z - e->z});
                }
            }
        std::vector<double> errores;
        std::size_t comparables = 0;
        for (const auto& g : guardados) {
            if (!g.deAcuerdo) continue;
            ++comparables;
            // The book keeps 15 characters of a name.
            auto& cola = radiados[{g.estacion.substr(0, 15), g.punto.substr(0, 15)}];
            if (cola.empty()) continue;
            double suma = 0;
            for (int i = 0; i < 3; ++i) {
                const double d = cola.front()[i] - (g.guardado[i] - g.estacionGuardada[i]);
                suma += d * d;
            }
            cola.pop_front();
            errores.push_back(std::sqrt(suma));
        }
        ASSERT_GE(comparables, 20u);
        std::sort(errores.begin(), errores.end());
        const auto cuantil = [&](double q) {
            return errores.empty() ? 1e9 : errores[std::min(errores.size() - 1, std::size_t(q * errores.size()))];
        };
        std::printf("%s: formato %d, %zu puntos guardados, %zu de acuerdo con su estación, %zu radiados, mediana "
                    "%.2f mm, 95 %% %.2f mm, máximo %.2f mm\n",
                    nombre.c_str(), *d.indice, guardados.size(), comparables, errores.size(), cuantil(0.5) * 1000,
                    cuantil(0.95) * 1000, cuantil(1.0) * 1000);
        EXPECT_GE(errores.size() * 10, comparables * 9);
        EXPECT_LT(cuantil(0.5), 0.002);
        EXPECT_LT(cuantil(0.95), 0.005);
    }
    EXPECT_EQ(vistos.size(), esperado.size());
}

// Which entries read each sample; every other entry must refuse it with its
// message (never an empty book or zeros), the strict ones showing the line.
// A new sample needs its row here.
TEST(Muestras, CadaLectorRechazaLoQueNoEsSuyo) {
    REQUIERE_MUESTRAS();
    const std::set<int> gsi{5, 27}, nikon{2, 6, 15, 26}, zeiss{17, 23}, sdr{1, 3, 19, 22}, geo{4};
    const std::map<std::string, std::set<int>> leen = {
        {"gsi8_wild_t1000_RILIEVO.gsi", gsi}, {"gsi8_ertola.gsi", gsi},
        {"gsi16_gurob.gsi", gsi},             {"geodimeter_test1.job", geo},
        {"geodimeter_test1.are", geo},        {"geodimeter_trimble_BSG.are", geo},
        {"sdr33_set5f_coords.sdr", sdr},      {"nikon_raw_v200_npl352.raw", nikon},
        {"nikon_raw_v200_dtm330.raw", nikon}, {"nikon_raw_v200_npl350.raw", nikon},
        {"zeiss_m5_elta_r55_coords.dat", zeiss}, {"zeiss_rec500_elta_r55_coords.dat", zeiss},
        {"topcon_gts229_serial.raw", {24, 30}},
    };
    for (const auto& entrada : std::filesystem::directory_iterator(kMuestras)) {
        const auto nombre = entrada.path().filename().string();
        if (nombre == "README.md" || nombre == "SOURCES.txt") continue;
        ASSERT_TRUE(leen.count(nombre)) << nombre;
        for (const auto& formato : tablaFormatos()) {
            SCOPED_TRACE(nombre + " " + std::to_string(formato.indice));
            Importacion imp;
            const auto r = imp.importarRuta(formato.indice, entrada.path());
            if (leen.at(nombre).count(formato.indice)) {
                EXPECT_EQ(r, ResultadoImportacion::Cerrar);
                continue;
            }
            EXPECT_EQ(r, ResultadoImportacion::Fallo);
            EXPECT_TRUE(imp.libreta.estaciones.empty());
            // One message: what the reader found, then that the format does not fit.
            ASSERT_EQ(imp.avisos.mensajes.size(), 1u);
            EXPECT_TRUE(imp.avisos.mensajes[0].texto.ends_with(mensajes::kFormatoNoCoincide));
            if (formato.indice == 12 || formato.indice == 27) {
                EXPECT_EQ(imp.avisos.mensajes.front().texto.rfind("No se reconoce la linea del fichero:\n", 0), 0u);
            }
        }
    }
}

TEST(Muestras, DetectarFormatoPorElContenido) {
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

}  // namespace
}  // namespace celvara
