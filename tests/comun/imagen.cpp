#include "comun/imagen.h"

#include <atomic>
#include <random>
#include <system_error>
#include <unistd.h>

namespace celvara::prueba {

CarpetaTemporal::CarpetaTemporal() {
    static std::atomic<int> contador{0};
    std::random_device azar;
    ruta_ = std::filesystem::temp_directory_path() /
            ("celvara-prueba-" + std::to_string(::getpid()) + "-" + std::to_string(contador++) + "-" +
             std::to_string(azar()));
    std::filesystem::create_directories(ruta_);
}

CarpetaTemporal::~CarpetaTemporal() {
    std::error_code ec;
    std::filesystem::remove_all(ruta_, ec);
}

}  // namespace celvara::prueba
