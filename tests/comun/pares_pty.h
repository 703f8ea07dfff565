// A pair of linked pseudo-terminals made by socat, standing for an
// instrument's cable: what is written to `emisor` arrives on `receptor`.
// socat is ended by its process id.
#pragma once

#include <chrono>
#include <filesystem>
#include <string_view>

#ifdef _WIN32
namespace celvara::prueba {

// A Windows build has no socat: the cases that need a cable are skipped.
inline bool haySocat() { return false; }

class ParPty {
public:
    explicit ParPty(const std::filesystem::path& carpeta) : receptor(carpeta / "receptor"), emisor(carpeta / "emisor") {}
    bool listo() const { return false; }
    bool enviar(std::string_view, std::chrono::microseconds = {}) { return false; }
    void terminar() {}
    const std::filesystem::path receptor;
    const std::filesystem::path emisor;
};

}  // namespace celvara::prueba
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

extern char** environ;

namespace celvara::prueba {

inline bool haySocat() { return std::system("command -v socat >/dev/null 2>&1") == 0; }

class ParPty {
public:
    explicit ParPty(const std::filesystem::path& carpeta)
        : receptor(carpeta / "receptor"), emisor(carpeta / "emisor") {
        const std::string a = "pty,raw,echo=0,link=" + receptor.string();
        const std::string b = "pty,raw,echo=0,link=" + emisor.string();
        const char* argv[] = {"socat", a.c_str(), b.c_str(), nullptr};
        if (posix_spawnp(&pid_, "socat", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) pid_ = -1;
        for (int i = 0; i < 500 && pid_ > 0 && !(std::filesystem::exists(receptor) && std::filesystem::exists(emisor));
             ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~ParPty() { terminar(); }
    ParPty(const ParPty&) = delete;
    ParPty& operator=(const ParPty&) = delete;

    bool listo() const { return pid_ > 0 && std::filesystem::exists(receptor) && std::filesystem::exists(emisor); }

    // Writes bytes to the sending end: in one write, or one byte every
    // `pausa` when it is given.
    // The sending end stays open until socat ends: socat closes the pair
    // when one end hangs up.
    bool enviar(std::string_view bytes, std::chrono::microseconds pausa = {}) {
        if (fd_ < 0) {
            fd_ = ::open(emisor.c_str(), O_WRONLY | O_NOCTTY);
            if (fd_ < 0) return false;
            termios t{};
            if (tcgetattr(fd_, &t) == 0) {
                cfmakeraw(&t);
                tcsetattr(fd_, TCSANOW, &t);
            }
        }
        for (std::size_t hecho = 0; hecho < bytes.size();) {
            const ssize_t n = ::write(fd_, bytes.data() + hecho, pausa.count() ? 1 : bytes.size() - hecho);
            if (n <= 0) return false;
            hecho += static_cast<std::size_t>(n);
            std::this_thread::sleep_for(pausa);
        }
        return true;
    }

    // Ends socat: the line is gone for whoever still listens.
    void terminar() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int estado = 0;
        ::waitpid(pid_, &estado, 0);
        pid_ = -1;
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    const std::filesystem::path receptor;
    const std::filesystem::path emisor;

private:
    pid_t pid_ = -1;
    int fd_ = -1;
};

}  // namespace celvara::prueba
#endif
