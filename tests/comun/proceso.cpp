#include "comun/proceso.h"

#include "comun/imagen.h"

#include <iterator>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

extern char** environ;
#endif

namespace celvara::prueba {

namespace {

#ifdef _WIN32

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

// The program with its standard streams on the files of `dir`: its exit
// status, or -1 when it could not start or outlived `limite` seconds.
int lanzar(const std::vector<std::string>& argumentos, const std::filesystem::path& dir, unsigned limite) {
    SECURITY_ATTRIBUTES heredable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const auto abrir = [&](const char* nombre, bool escribir) {
        return CreateFileW((dir / nombre).c_str(), escribir ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ,
                           &heredable, escribir ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE in = abrir("entrada", false), out = abrir("salida", true), err = abrir("errores", true);
    std::wstring linea;
    for (const auto& a : argumentos)
        linea += (linea.empty() ? L"" : L" ") + citado(std::filesystem::path(std::u8string(a.begin(), a.end())).wstring());
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
    if (!lanzado) return -1;
    if (WaitForSingleObject(pi.hProcess, limite ? limite * 1000 : INFINITE) == WAIT_TIMEOUT) {
        TerminateProcess(pi.hProcess, static_cast<UINT>(-1));
        WaitForSingleObject(pi.hProcess, INFINITE);
    }
    DWORD estado = 0;
    const int r = GetExitCodeProcess(pi.hProcess, &estado) ? static_cast<int>(estado) : -1;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return r;
}

#else

int lanzar(const std::vector<std::string>& argumentos, const std::filesystem::path& dir, unsigned limite) {
    posix_spawn_file_actions_t f;
    posix_spawn_file_actions_init(&f);
    posix_spawn_file_actions_addopen(&f, 0, (dir / "entrada").c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&f, 1, (dir / "salida").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&f, 2, (dir / "errores").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv;
    for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const bool lanzado = posix_spawn(&pid, argv[0], &f, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&f);
    if (!lanzado) return -1;
    int estado = -1;
    const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(limite);
    for (pid_t w; (w = waitpid(pid, &estado, limite ? WNOHANG : 0)) == 0 || (w < 0 && errno == EINTR);) {
        if (w == 0 && std::chrono::steady_clock::now() > fin) {
            kill(pid, SIGKILL);
            waitpid(pid, &estado, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}

#endif

}  // namespace

// Standard input and outputs go through files: no pipes to drain by turns.
SalidaProceso ejecutar(const std::vector<std::string>& argumentos, const std::string& entrada, unsigned limite) {
    CarpetaTemporal dir;
    escribirFichero(dir / "entrada", entrada);
    SalidaProceso r;
    r.estado = lanzar(argumentos, dir.ruta(), limite);
    r.salida = leerFichero(dir / "salida");
    r.errores = leerFichero(dir / "errores");
    return r;
}

SalidaProceso cli(std::vector<std::string> argumentos, const std::string& entrada, unsigned limite) {
    argumentos.insert(argumentos.begin(), CELVARA_CLI);
    return ejecutar(argumentos, entrada, limite);
}

SalidaProceso cliLinea(std::string_view linea, const std::string& entrada) {
    std::istringstream palabras{std::string(linea)};
    return cli({std::istream_iterator<std::string>(palabras), std::istream_iterator<std::string>()}, entrada);
}

}  // namespace celvara::prueba
