// Autosave and recovery of the open book: when the copy is written and
// removed, and what is offered when a book opens.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <memory>

#include "manager/gestor_apoyo.h"

namespace celvara {
namespace {

using prueba::Banco;
constexpr const char* kPregunta = "Desea Guardar los Cambios C:\\TRABAJOS\\OBRA1\\obra.obs";

// A second start of the program on the same drive.
std::unique_ptr<CGestorObservaciones> arrancar(Banco& b) {
    auto g = std::make_unique<CGestorObservaciones>(b.mapa, b.avisos, b.dialogos, b.mostrador);
    EntornoAnfitrion entorno(b.mapa);
    g->iniciar(entorno);
    return g;
}

// The names in the job folder, sorted.
std::vector<std::string> ficheros(const Banco& b) {
    std::vector<std::string> n;
    for (const auto& e : std::filesystem::directory_iterator(b.obra())) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
}

// 07-12-2026 at hh:mm, local time.
void fecharA(const std::filesystem::path& p, int hora, int minuto) {
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 7, t.tm_hour = hora, t.tm_min = minuto, t.tm_isdst = -1;
    std::filesystem::last_write_time(p, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&t))));
}

// The book obra.obs was saved at 10:31; a copy is found at start-up (or on
// "Abrir") and answered.
TEST(Recuperacion, OfertaAlAbrir) {
    struct Caso {
        const char* copia;
        int minuto;         // of the copy's date
        bool alAbrir;       // found by "Abrir" rather than at start-up
        const char* previa;  // a copy declined before in the same minute
        Respuesta respuesta;
        const char* pregunta;  // nullptr: nothing offered
        double x;
        const char* ultimo;
        std::vector<std::string> quedan;
    };
    const std::string q = "Hay una copia de recuperación de obra.obs del 07-12-2026 10:32. ¿Recuperarla?";
    const std::string qSin = "Hay una copia de recuperación de sin_titulo.obs del 07-12-2026 10:32. ¿Recuperarla?";
    const char* obra = "C:\\TRABAJOS\\OBRA1\\obra.obs";
    const Caso casos[] = {
        {"obra.obs.recuperacion", 32, false, nullptr, Respuesta::Si, q.c_str(), 1234.5, obra,
         {"obra.obs", "obra.obs.recuperacion"}},
        {"obra.obs.recuperacion", 32, true, nullptr, Respuesta::Si, q.c_str(), 1234.5, obra,
         {"obra.obs", "obra.obs.recuperacion"}},
        {"obra.obs.recuperacion", 32, false, nullptr, Respuesta::No, q.c_str(), 1000, obra,
         {"obra.obs", "obra.obs.recuperacion.20261207-1032"}},
        {"obra.obs.recuperacion", 32, false, "obra.obs.recuperacion.20261207-1032", Respuesta::No, q.c_str(), 1000,
         obra, {"obra.obs", "obra.obs.recuperacion.20261207-1032", "obra.obs.recuperacion.20261207-1032-2"}},
        // Saved after the copy: the book has it all.
        {"obra.obs.recuperacion", 30, false, nullptr, Respuesta::Si, nullptr, 1000, obra,
         {"obra.obs", "obra.obs.recuperacion"}},
        // A book never saved, its copy in the working folder.
        {"sin_titulo.obs.recuperacion", 32, false, nullptr, Respuesta::Si, qSin.c_str(), 1234.5, "",
         {"obra.obs", "sin_titulo.obs.recuperacion"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.copia) + " " + std::to_string(c.minuto) + (c.alAbrir ? " Abrir" : ""));
        Banco b;
        fecharA(b.obra() / "obra.obs", 10, 31);
        CLibretaCampo copia;  // the book with station A moved to X = 1234.5
        prueba::libretaPequena(copia);
        copia.estaciones[0]->x = 1234.5;
        ASSERT_TRUE(escribirLibreta(copia, b.obra() / c.copia));
        fecharA(b.obra() / c.copia, 10, c.minuto);
        if (c.previa) prueba::escribirFichero(b.obra() / c.previa, "antes");
        if (c.pregunta) b.avisos.esperar(c.pregunta, c.respuesta);
        std::unique_ptr<CGestorObservaciones> otro;
        CGestorObservaciones* g = &b.gestor;
        if (c.alAbrir) {
            b.dialogos.ficheros.push_back(obra);
            b.gestor.documento().abrir();
        } else {
            otro = arrancar(b);
            g = otro.get();
        }
        if (c.pregunta) {
            EXPECT_EQ(std::pair(b.avisos.vistos.back().botones, b.avisos.vistos.back().icono), std::pair(Botones::SiNo, Icono::Pregunta));
        }
        EXPECT_EQ(std::tuple(g->libreta().estaciones[0]->x, g->modificado(), g->ajustes().ultimoFichero.str(), ficheros(b)),
                  std::tuple(c.x, c.x != 1000, c.ultimo, c.quedan));
        if (c.previa) {
            EXPECT_EQ(prueba::leerFichero(b.obra() / c.previa), "antes");
        }
    }
}

// When the copy is written and when it goes.
TEST(Recuperacion, CuandoSeGraba) {
    enum Paso { Cambio, Tic, VentanaQueEscribe, VentanaQueLee, Grabar, Deshacer, SalirNo, SalirCancelar, NuevaLibreta };
    struct Caso {
        int minutos;
        std::vector<Paso> pasos;
        const char* copia;  // nullptr: no copy left
    };
    const Caso casos[] = {
        {5, {Cambio, Tic}, "obra.obs.recuperacion"},
        {5, {Tic}, nullptr},
        {0, {Cambio, Tic, VentanaQueEscribe}, nullptr},
        {5, {Cambio, VentanaQueEscribe}, "obra.obs.recuperacion"},
        {5, {Cambio, VentanaQueLee}, nullptr},
        {5, {Cambio, Tic, Grabar}, nullptr},
        {5, {Cambio, Tic, Deshacer, Tic}, nullptr},
        {5, {Cambio, Tic, SalirNo}, nullptr},
        {5, {Cambio, Tic, SalirCancelar}, "obra.obs.recuperacion"},
        {5, {NuevaLibreta, Tic}, "sin_titulo.obs.recuperacion"},
        {5, {NuevaLibreta, Tic, Grabar}, nullptr},  // "Grabar como" nueva.obs
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::PrintToString(c.pasos) + " minutos=" + std::to_string(c.minutos));
        Banco b;
        prueba::escribirFichero(b.trabajos() / "celvara.ini", "[Recuperacion]\nminutos=" + std::to_string(c.minutos) + "\n");
        auto g = arrancar(b);
        for (Paso p : c.pasos) {
            switch (p) {
                case Cambio: g->ediciones().editarCelda(0, 1, "1"); break;
                case Tic: g->documento().autoguardar(); break;
                case VentanaQueEscribe:
                case VentanaQueLee: {
                    const Accion a = p == VentanaQueEscribe ? Accion::DesorientacionTodas : Accion::ImprimirListadoBases;
                    g->antesDeVentana(a);
                    g->despuesDeVentana(a);
                    break;
                }
                case Grabar:
                    b.dialogos.ficheros.push_back("C:\\TRABAJOS\\OBRA1\\nueva.obs");
                    g->documento().grabar();
                    break;
                case Deshacer: g->deshacer(); break;
                case SalirNo:
                case SalirCancelar:
                    b.avisos.esperar(kPregunta, p == SalirNo ? Respuesta::No : Respuesta::Cancelar);
                    g->documento().salir();
                    break;
                case NuevaLibreta:
                    g->documento().nuevo();
                    b.dialogos.nombres.push_back("N");
                    g->ediciones().anadirEstacionPorNombre();
                    break;
            }
        }
        std::vector<std::string> copias;
        for (const auto& n : ficheros(b))
            if (n.find(".recuperacion") != std::string::npos) copias.push_back(n);
        EXPECT_EQ(copias, c.copia ? std::vector<std::string>{c.copia} : std::vector<std::string>{});
        if (!c.copia) continue;
        // Byte for byte the book as "Grabar" would write it.
        ASSERT_TRUE(escribirLibreta(g->libreta(), b.trabajos() / "esperada.obs"));
        EXPECT_TRUE(prueba::leerFichero(b.obra() / c.copia) == prueba::leerFichero(b.trabajos() / "esperada.obs"));
    }
}

}  // namespace
}  // namespace celvara
