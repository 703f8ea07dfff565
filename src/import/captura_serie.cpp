#include "import/captura_serie.h"

#include <charconv>
#include <system_error>
#include <utility>

#include "fieldbook/fichero_binario.h"

namespace celvara {

namespace {

constexpr const char* kSeccion = "Comunicaciones";

int entero(const AjustesPropios& ini, const char* clave, int porDefecto, int minimo, int maximo) {
    const double v = ini.numero(kSeccion, clave, porDefecto);
    if (!(v >= minimo && v <= maximo) || v != static_cast<int>(v)) return porDefecto;
    return static_cast<int>(v);
}

std::string texto(int n) {
    char b[16];
    const auto r = std::to_chars(b, b + sizeof b, n);
    return std::string(b, r.ptr);
}

}  // namespace

std::string ProtocoloComunicaciones::puertoPorDefecto() {
#ifdef _WIN32
    return "COM1";
#else
    return "/dev/ttyS0";
#endif
}

std::optional<char> paridadDeTexto(std::string_view t) {
    if (t.size() != 1) return std::nullopt;
    const char c = static_cast<char>(t[0] & ~0x20);  // upper case
    if (c == 'N' || c == 'E' || c == 'O' || c == 'S' || c == 'M') return c;
    return std::nullopt;
}

std::optional<ControlFlujo> controlDeTexto(std::string_view t) {
    if (t == "ninguno") return ControlFlujo::Ninguno;
    if (t == "hardware") return ControlFlujo::Hardware;
    if (t == "xonxoff") return ControlFlujo::XonXoff;
    return std::nullopt;
}

const char* textoControl(ControlFlujo c) {
    switch (c) {
        case ControlFlujo::Hardware: return "hardware";
        case ControlFlujo::XonXoff: return "xonxoff";
        default: return "ninguno";
    }
}

ProtocoloComunicaciones ProtocoloComunicaciones::leer(const AjustesPropios& ini) {
    ProtocoloComunicaciones p;
    if (auto f = ini.texto(kSeccion, "Fichero"); f && !f->empty()) p.ficheroIntercambio = *f;
    p.generarFichero = entero(ini, "GenerarFichero", 0, 0, 1) == 1;
    if (auto v = ini.texto(kSeccion, "Puerto"); v && !v->empty()) p.puerto.puerto = *v;
    p.puerto.baudios = entero(ini, "Baudios", 9600, 50, 4000000);
    p.puerto.bitsDatos = entero(ini, "BitsDatos", 8, 5, 8);
    if (auto v = ini.texto(kSeccion, "Paridad"))
        if (auto c = paridadDeTexto(*v)) p.puerto.paridad = *c;
    p.puerto.bitsParada = entero(ini, "BitsParada", 1, 1, 2);
    if (auto v = ini.texto(kSeccion, "ControlFlujo"))
        if (auto c = controlDeTexto(*v)) p.puerto.control = *c;
    return p;
}

void ProtocoloComunicaciones::escribir(AjustesPropios& ini) const {
    ini.asignar(kSeccion, "Fichero", ficheroIntercambio);
    ini.asignar(kSeccion, "GenerarFichero", generarFichero ? "1" : "0");
    ini.asignar(kSeccion, "Puerto", puerto.puerto);
    ini.asignar(kSeccion, "Baudios", texto(puerto.baudios));
    ini.asignar(kSeccion, "BitsDatos", texto(puerto.bitsDatos));
    ini.asignar(kSeccion, "Paridad", std::string(1, puerto.paridad));
    ini.asignar(kSeccion, "BitsParada", texto(puerto.bitsParada));
    ini.asignar(kSeccion, "ControlFlujo", textoControl(puerto.control));
}

std::filesystem::path rutaCopiaIntercambio(const std::filesystem::path& fichero) {
    std::filesystem::path copia = fichero;
    copia += ".bak";
    return copia;
}

CapturaSerie::CapturaSerie(std::filesystem::path fichero, int bitsDatos)
    : fichero_(std::move(fichero)), escritor_(std::make_unique<EscritorAtomico>(fichero_)), cortador_(bitsDatos) {}

// The temporary file goes with the writer when the capture is dropped.
CapturaSerie::~CapturaSerie() = default;

bool CapturaSerie::abierta() const { return escritor_ && escritor_->abierto(); }

void CapturaSerie::escribirLinea(std::string_view linea) {
    ++lineas_;
    ultima_.assign(linea);
    // The exchange file has always had Windows line ends.
    if (escritor_) {
        escritor_->escribir(linea.data(), linea.size());
        escritor_->escribir("\r\n", 2);
    }
}

std::size_t CapturaSerie::recibir(std::string_view bytes) {
    const std::size_t antes = lineas_;
    cortador_.recibir(bytes, [this](std::string_view linea) { escribirLinea(linea); });
    return lineas_ - antes;
}

FinCaptura CapturaSerie::terminar() {
    if (!abierta()) return FinCaptura::Fallo;
    if (const std::string resto = cortador_.vaciar(); !resto.empty()) escribirLinea(resto);
    if (lineas_ == 0) {
        escritor_.reset();
        return FinCaptura::SinLineas;
    }
    std::error_code ec;
    if (std::filesystem::exists(fichero_, ec)) {
        std::filesystem::copy_file(fichero_, rutaCopiaIntercambio(fichero_),
                                   std::filesystem::copy_options::overwrite_existing, ec);
        if (ec) {
            escritor_.reset();
            return FinCaptura::Fallo;
        }
    }
    const bool ok = escritor_->confirmar();
    escritor_.reset();
    return ok ? FinCaptura::Escrito : FinCaptura::Fallo;
}

}  // namespace celvara
