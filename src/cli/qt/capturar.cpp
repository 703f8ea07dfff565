// capturar PUERTO -o FICHERO [--baudios N] [--bits 7|8] [--paridad N|E|O]
// [--parada 1|2] [--control ninguno|hardware|xonxoff] [--silencio S]
// [--espera S]: listens on a serial port as the capture window does and
// writes the exchange file. Waits --espera seconds for the first byte, then
// captures until --silencio seconds pass without one. Built with the Qt
// side, since the port is QtSerialPort's.
#include <QCoreApplication>
#include <QTimer>
#include <cmath>
#include <iostream>

#include "cli/registro.h"
#include "import/captura_serie.h"
#include "ui/serie/puerto_serie.h"

namespace celvara::cli {
namespace {

int milisegundos(double segundos) { return static_cast<int>(std::lround(std::min(segundos, 86400.0) * 1000.0)); }

// Fills each "%s" of a message in turn.
std::string sustituir(std::string formato, std::initializer_list<std::string> valores) {
    std::size_t desde = 0;
    for (const std::string& v : valores) {
        const auto p = formato.find("%s", desde);
        if (p == std::string::npos) break;
        formato.replace(p, 2, v);
        desde = p + v.size();
    }
    return formato;
}

const RegistroComando registro("capturar", [](CLI::App& raiz) -> std::function<int()> {
    auto* sub = raiz.add_subcommand("capturar", "Captura lo que envía un instrumento por un puerto serie");
    struct Opciones {
        std::string puerto, salida, paridad = "N", control = "ninguno";
        int baudios = 9600, bits = 8, parada = 1;
        double silencio = 5, espera = 60;
    };
    auto o = std::make_shared<Opciones>();
    sub->add_option("puerto", o->puerto, "Puerto (COM3, /dev/ttyUSB0 ...)")->required();
    sub->add_option("-o,--salida", o->salida, "Fichero de intercambio")->required();
    sub->add_option("--baudios", o->baudios, "Velocidad")->check(CLI::Range(50, 4000000));
    sub->add_option("--bits", o->bits, "Bits de datos")->check(CLI::IsMember({7, 8}));
    sub->add_option("--paridad", o->paridad, "Paridad")->check(CLI::IsMember({"N", "E", "O"}));
    sub->add_option("--parada", o->parada, "Bits de parada")->check(CLI::IsMember({1, 2}));
    sub->add_option("--control", o->control, "Control de flujo")
        ->check(CLI::IsMember({"ninguno", "hardware", "xonxoff"}));
    sub->add_option("--silencio", o->silencio, "Segundos sin datos que terminan la captura")
        ->check(CLI::Range(0.01, 86400.0));
    sub->add_option("--espera", o->espera, "Segundos de espera del primer dato")->check(CLI::Range(0.01, 86400.0));
    return [o]() -> int {
        int argc = 1;
        char nombre[] = "celvara-cli";
        char* argv[] = {nombre, nullptr};
        QCoreApplication aplicacion(argc, argv);

        const ParametrosPuerto parametros{o->puerto, o->baudios,   o->bits, *paridadDeTexto(o->paridad),
                                          o->parada, *controlDeTexto(o->control)};
        ui::PuertoSerie puerto;
        if (!puerto.abrir(parametros)) {
            std::cerr << mensajes::kPuertoNoExiste << '\n' << puerto.error().toStdString() << '\n';
            return kFalloFichero;
        }
        CapturaSerie captura(o->salida, o->bits);
        if (!captura.abierta()) return fallo(sustituir(mensajes::kFicheroIntercambioNoCreado, {o->salida}));

        bool averiado = false;
        QTimer reloj;
        reloj.setSingleShot(true);
        QObject::connect(&reloj, &QTimer::timeout, &aplicacion, &QCoreApplication::quit);
        QObject::connect(&puerto, &ui::PuertoSerie::recibido, [&](const QByteArray& datos) {
            captura.recibir(std::string_view(datos.constData(), static_cast<std::size_t>(datos.size())));
            reloj.start(milisegundos(o->silencio));
        });
        QObject::connect(&puerto, &ui::PuertoSerie::fallo, [&](const QString& motivo) {
            averiado = true;
            std::cerr << sustituir(mensajes::kErrorPuerto, {o->puerto, motivo.toStdString()}) << '\n';
            aplicacion.quit();
        });
        reloj.start(milisegundos(o->espera));
        aplicacion.exec();
        puerto.cerrar();

        switch (captura.terminar()) {
            case FinCaptura::SinLineas: return fallo(mensajes::kSinLineas);
            case FinCaptura::Fallo: return fallo(sustituir(mensajes::kFicheroIntercambioNoGrabado, {o->salida}));
            case FinCaptura::Escrito: break;
        }
        std::cout << captura.lineas() << " líneas en " << o->salida << '\n';
        return averiado ? kFalloFichero : kExito;
    };
});

}  // namespace
}  // namespace celvara::cli
