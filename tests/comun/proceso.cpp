#include "comun/proceso.h"

#ifdef _WIN32

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace celvara::prueba {

namespace {

std::wstring ancho(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring r(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), r.data(), n);
    return r;
}

// One argument quoted as the C runtime splits the command line.
std::wstring citado(const std::wstring& a) {
    if (!a.empty() && a.find_first_of(L" \t\"") == std::wstring::npos) return a;
    std::wstring r = L"\"";
    std::size_t barras = 0;
    for (wchar_t c : a) {
        if (c == L'\\') {
            ++barras;
            continue;
        }
        r.append(c == L'"' ? 2 * barras + 1 : barras, L'\\');
        barras = 0;
        r.push_back(c);
    }
    r.append(2 * barras, L'\\');
    return r + L"\"";
}

std::string contenido(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace

// Standard input and outputs go through files: no pipes to drain by turns.
SalidaProceso ejecutar(const std::vector<std::string>& argumentos, const std::string& entrada, unsigned limite) {
    SalidaProceso r;
    static int cuenta = 0;
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() /
                         ("celvara_proceso_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++cuenta));
    std::error_code ec;
    fs::create_directories(dir, ec);
    std::ofstream(dir / "entrada", std::ios::binary) << entrada;
    SECURITY_ATTRIBUTES heredable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const auto abrir = [&](const char* nombre, bool escribir) {
        return CreateFileW((dir / nombre).c_str(), escribir ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ,
                           &heredable, escribir ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE in = abrir("entrada", false), out = abrir("salida", true), err = abrir("errores", true);
    std::wstring linea;
    for (const auto& a : argumentos) linea += (linea.empty() ? L"" : L" ") + citado(ancho(a));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = err;
    PROCESS_INFORMATION pi{};
    const bool lanzado = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
                         CreateProcessW(nullptr, linea.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    for (HANDLE h : {in, out, err})
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (lanzado) {
        if (WaitForSingleObject(pi.hProcess, limite ? limite * 1000 : INFINITE) == WAIT_TIMEOUT) {
            TerminateProcess(pi.hProcess, static_cast<UINT>(-1));
            WaitForSingleObject(pi.hProcess, INFINITE);
        }
        DWORD estado = 0;
        if (GetExitCodeProcess(pi.hProcess, &estado)) r.estado = static_cast<int>(estado);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        r.salida = contenido(dir / "salida");
        r.errores = contenido(dir / "errores");
    }
    fs::remove_all(dir, ec);
    return r;
}

#else

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace celvara::prueba {

SalidaProceso ejecutar(const std::vector<std::string>& argumentos, const std::string& entrada, unsigned limite) {
    SalidaProceso r;
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return r;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        std::vector<char*> argv;
        for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (limite > 0) alarm(limite);  // kept across exec: the program dies of it
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    std::size_t escrito = 0;
    if (entrada.empty()) {
        close(in[1]);
        in[1] = -1;
    } else {
        fcntl(in[1], F_SETFL, O_NONBLOCK);
    }
    bool abiertoOut = true, abiertoErr = true;
    char trozo[65536];
    while (abiertoOut || abiertoErr) {
        pollfd fds[3];
        int n = 0;
        if (abiertoOut) fds[n++] = {out[0], POLLIN, 0};
        if (abiertoErr) fds[n++] = {err[0], POLLIN, 0};
        if (in[1] >= 0) fds[n++] = {in[1], POLLOUT, 0};
        if (poll(fds, n, -1) < 0) break;
        for (int i = 0; i < n; ++i) {
            if (!fds[i].revents) continue;
            if (fds[i].fd == in[1]) {
                const ssize_t w = write(in[1], entrada.data() + escrito, entrada.size() - escrito);
                if (w > 0) escrito += static_cast<std::size_t>(w);
                if (w < 0 || escrito == entrada.size()) {
                    close(in[1]);
                    in[1] = -1;
                }
                continue;
            }
            const ssize_t leidos = read(fds[i].fd, trozo, sizeof trozo);
            std::string& destino = fds[i].fd == out[0] ? r.salida : r.errores;
            if (leidos > 0) {
                destino.append(trozo, static_cast<std::size_t>(leidos));
            } else {
                (fds[i].fd == out[0] ? abiertoOut : abiertoErr) = false;
            }
        }
    }
    if (in[1] >= 0) close(in[1]);
    close(out[0]);
    close(err[0]);
    int estado = 0;
    waitpid(pid, &estado, 0);
    r.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    return r;
}

#endif

SalidaProceso cli(std::vector<std::string> argumentos, const std::string& entrada, unsigned limite) {
    argumentos.insert(argumentos.begin(), CELVARA_CLI);
    return ejecutar(argumentos, entrada, limite);
}

SalidaProceso cliLinea(std::string_view linea, const std::string& entrada) {
    std::vector<std::string> argumentos;
    std::string actual;
    bool hay = false;
    char comilla = 0;
    for (char c : linea) {
        if (comilla) {
            if (c == comilla) comilla = 0;
            else actual += c;
        } else if (c == '\'' || c == '"') {
            comilla = c;
            hay = true;
        } else if (c == ' ') {
            if (hay) argumentos.push_back(std::move(actual));
            actual.clear();
            hay = false;
        } else {
            actual += c;
            hay = true;
        }
    }
    if (hay) argumentos.push_back(std::move(actual));
    return cli(std::move(argumentos), entrada);
}

}  // namespace celvara::prueba
