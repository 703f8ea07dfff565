#include "comun/proceso.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace celvara::prueba {

SalidaProceso ejecutar(const std::vector<std::string>& argumentos, const std::string& entrada) {
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

SalidaProceso cli(std::vector<std::string> argumentos, const std::string& entrada) {
    argumentos.insert(argumentos.begin(), CELVARA_CLI);
    return ejecutar(argumentos, entrada);
}

}  // namespace celvara::prueba
