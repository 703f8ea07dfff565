#include "output/puntos_dxf.h"

#include <dl_dxf.h>

#include <fstream>
#include <memory>
#include <set>
#include <system_error>

namespace celvara {

namespace {

constexpr double kEscalaDibujo = 500.0;
constexpr double kLadoTriangulo = 1.0;  // metres on the ground

std::string capaDe(const PuntoCoordenadas& p) {
    if (p.base != 0) return kCapaEstaciones;
    return p.codigo.vacio() ? std::string("0") : p.codigo.str();
}

// dxflib keeps the handle the dimension style points at only for a text
// style of exactly this name; under any other it writes stray memory there.
constexpr const char* kEstiloTexto = "Standard";

void escribirTexto(DL_Dxf& dxf, DL_WriterA& w, const PuntoCoordenadas& p, const EtiquetaPunto& e,
                   const std::string& texto, const std::string& capa) {
    if (texto.empty()) return;
    const double h = e.tamano * kEscalaDibujo;
    const double x = p.x + e.desplazamiento[0] * h;
    const double y = p.y + e.desplazamiento[1] * h;
    dxf.writeText(w, DL_TextData(x, y, p.z, x, y, p.z, h, 1.0, 0, 0, 0, texto, kEstiloTexto, 0.0),
                  DL_Attributes(capa, 256, -1, "BYLAYER", 1.0));
}

// The writer reports no write errors: a complete file ends with its marker.
// dxflib writes a text file: its lines end in CR LF on Windows.
bool terminaEnEof(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary | std::ios::ate);
    if (!f || f.tellg() < 5) return false;
    f.seekg(-5, std::ios::end);
    char cola[5] = {};
    f.read(cola, 5);
    const std::string_view c(cola, 5);
    return f && (c.substr(1) == "EOF\n" || c == "EOF\r\n");
}

}  // namespace

bool escribirPuntosDxf(const ListaPuntos& puntos, const std::filesystem::path& ruta, std::string& error) {
    std::set<std::string> capas{"0", kCapaEstaciones};
    for (const auto& p : puntos) capas.insert(capaDe(p));

    std::filesystem::path parcial = ruta;
    parcial += ".parcial";
    DL_Dxf dxf;
    const std::unique_ptr<DL_WriterA> w(dxf.out(parcial.string().c_str(), DL_Codes::AC1015));
    if (!w || w->openFailed()) {
        error = "No se puede crear el fichero " + ruta.string();
        return false;
    }
    dxf.writeHeader(*w);
    w->dxfString(9, "$DWGCODEPAGE");
    w->dxfString(3, "ANSI_1252");
    w->dxfString(9, "$INSUNITS");
    w->dxfInt(70, 6);  // metres
    w->sectionEnd();

    w->sectionTables();
    dxf.writeVPort(*w);
    w->tableLinetypes(3);
    dxf.writeLinetype(*w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(*w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(*w, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    w->tableEnd();
    w->tableLayers(static_cast<int>(capas.size()));
    for (const auto& c : capas)
        dxf.writeLayer(*w, DL_LayerData(c, 0), DL_Attributes("", c == kCapaEstaciones ? 1 : 7, 100, "CONTINUOUS", 1.0));
    w->tableEnd();
    w->tableStyle(1);
    dxf.writeStyle(*w, DL_StyleData(kEstiloTexto, 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    w->tableEnd();
    dxf.writeView(*w);
    dxf.writeUcs(*w);
    w->tableAppid(1);
    dxf.writeAppid(*w, "ACAD");
    w->tableEnd();
    dxf.writeDimStyle(*w, 2.5, 0.625, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(*w);
    dxf.writeBlockRecord(*w, kBloqueEstacion);
    w->tableEnd();
    w->sectionEnd();

    w->sectionBlocks();
    dxf.writeBlock(*w, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*w, "*Model_Space");
    dxf.writeBlock(*w, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*w, "*Paper_Space");
    dxf.writeBlock(*w, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*w, "*Paper_Space0");
    dxf.writeBlock(*w, DL_BlockData(kBloqueEstacion, 0, 0.0, 0.0, 0.0));
    {
        // An equilateral triangle centred on the insertion point, apex up.
        constexpr double r = kLadoTriangulo / 1.7320508075688772;  // circumradius
        const double v[3][2] = {{0.0, r}, {-kLadoTriangulo / 2, -r / 2}, {kLadoTriangulo / 2, -r / 2}};
        for (int i = 0; i < 3; ++i) {
            const auto& a = v[i];
            const auto& b = v[(i + 1) % 3];
            dxf.writeLine(*w, DL_LineData(a[0], a[1], 0.0, b[0], b[1], 0.0), DL_Attributes("0", 0, -1, "BYBLOCK", 1.0));
        }
    }
    dxf.writeEndBlock(*w, kBloqueEstacion);
    w->sectionEnd();

    const RegistroCoordenadas etiquetas;  // the file's default labels
    w->sectionEntities();
    for (const auto& p : puntos) {
        const std::string capa = capaDe(p);
        const DL_Attributes atributos(capa, 256, -1, "BYLAYER", 1.0);
        dxf.writePoint(*w, DL_PointData(p.x, p.y, p.z), atributos);
        if (p.base != 0)
            dxf.writeInsert(*w, DL_InsertData(kBloqueEstacion, p.x, p.y, p.z, 1, 1, 1, 0, 1, 1, 0, 0), atributos);
        escribirTexto(dxf, *w, p, etiquetas.etiquetaNombre, p.nombre.str(), capa);
        escribirTexto(dxf, *w, p, etiquetas.etiquetaCodigo, p.codigo.str(), capa);
    }
    w->sectionEnd();
    dxf.writeObjects(*w);
    dxf.writeObjectsEnd(*w);
    w->dxfEOF();
    w->close();

    std::error_code ec;
    if (!terminaEnEof(parcial)) {
        std::filesystem::remove(parcial, ec);
        error = "Error al escribir el fichero " + ruta.string();
        return false;
    }
    std::filesystem::rename(parcial, ruta, ec);
    if (ec) {
        std::filesystem::remove(parcial, ec);
        error = "No se puede reemplazar el fichero " + ruta.string();
        return false;
    }
    return true;
}

}  // namespace celvara
