// "Reseñas...": the station's description fields edited, undone, redone and
// saved, against the observation file patched at the record's offsets.
#include <gtest/gtest.h>

#include <cstring>

#include "manager/gestor_apoyo.h"
#include "manager/resena.h"

namespace celvara {
namespace {

using prueba::Banco;

// The first station record follows the mark, the header block and the count.
constexpr std::size_t kPrimeraEstacion = 4 + 1024 + 4 + 4;

// A text field of the record: the text, then zeros to the field's end.
void parchear(std::string& bytes, std::size_t campo, std::size_t tamano, std::string_view texto) {
    ASSERT_LT(texto.size(), tamano);
    std::memset(bytes.data() + kPrimeraEstacion + campo, 0, tamano);
    std::memcpy(bytes.data() + kPrimeraEstacion + campo, texto.data(), texto.size());
}

std::string grabado(Banco& b) {
    EXPECT_TRUE(b.gestor.documento().grabar());
    return prueba::leerFichero(b.obra() / "obra.obs");
}

TEST(Resena, EditarDeshacerRehacerYGrabar) {
    Banco b;
    const std::string antes = prueba::leerFichero(b.obra() / "obra.obs");
    std::string esperado = antes;
    esperado[kPrimeraEstacion + 16] = 1;  // tipo, i32 little-endian: A was VERTICE, now CLAVO
    parchear(esperado, 48, 100, "Clavo en acera \xF1");
    parchear(esperado, 148, 100, "");
    parchear(esperado, 248, 1024, "l\xEDnea 1\r\nl\xEDnea 2\r\n");
    parchear(esperado, 1272, 256, "C:\\TRABAJOS\\OBRA1\\foto A.bmp");
    parchear(esperado, 1528, 256, "C:\\TRABAJOS\\OBRA1\\croquis.bmp");

    CResena r(b.gestor.documento(), b.estacion(0));
    r.campos().tipo = 1;
    r.campos().descripcion1 = "Clavo en acera \xF1";
    r.campos().descripcion2.clear();
    r.fijarCroquis("l\xEDnea 1\nl\xEDnea 2\r");
    r.campos().ficheroFoto = "C:\\TRABAJOS\\OBRA1\\foto A.bmp";
    r.campos().ficheroCroquis = "C:\\TRABAJOS\\OBRA1\\croquis.bmp";
    // A field longer than the record holds is refused and changes nothing.
    r.campos().descripcion2.assign(100, 'x');
    b.avisos.esperar("Descripción 2: admite como mucho 99 caracteres (tiene 100)");
    EXPECT_FALSE(r.aplicar());
    EXPECT_EQ(b.gestor.documento().historial().tamano(), 0u);
    r.campos().descripcion2.clear();

    ASSERT_TRUE(r.aplicar());
    ASSERT_EQ(std::tuple(b.gestor.documento().historial().tamano(), b.gestor.documento().historial().nombreDeshacer()),
              std::tuple(1u, "Reseña de A"));
    EXPECT_EQ(grabado(b), esperado);
    b.gestor.deshacer();
    EXPECT_EQ(grabado(b), antes);
    b.gestor.rehacer();
    EXPECT_EQ(grabado(b), esperado);
    // Accepting again with nothing changed makes no step.
    CResena otra(b.gestor.documento(), b.estacion(0));
    EXPECT_TRUE(otra.aplicar());
    EXPECT_EQ(b.gestor.documento().historial().tamano(), 1u);
}

}  // namespace
}  // namespace celvara
