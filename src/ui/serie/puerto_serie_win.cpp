// The serial port on Windows, through the system's COM ports. The Windows
// build has no Qt SerialPort (its source is not among the packages the build
// machine reaches); an instrument only sends, at 9600 baud or less, so a
// read that returns at once with what the driver holds, repeated by a timer,
// keeps up without a reading thread.
#include <windows.h>

#include <algorithm>
#include <string>

#include "ui/serie/puerto_serie.h"

namespace celvara::ui {

namespace {

// The driver keeps 4 KB or more: 20 ms is 20 characters at 9600 baud.
constexpr int kSondeoMs = 20;

QString mensajeSistema(DWORD codigo) { return qt_error_string(static_cast<int>(codigo)); }

BYTE paridadWin(char p) {
    switch (p) {
        case 'E': return EVENPARITY;
        case 'O': return ODDPARITY;
        case 'S': return SPACEPARITY;
        case 'M': return MARKPARITY;
        default: return NOPARITY;
    }
}

}  // namespace

void PuertoSerie::CierreManejador::operator()(void* manejador) const {
    if (manejador && manejador != INVALID_HANDLE_VALUE) CloseHandle(manejador);
}

// The ports the drivers publish, as COM1, COM2 ... COM10 in number order.
QStringList puertosSerieDelSistema() {
    QStringList puertos;
    HKEY clave = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &clave) !=
        ERROR_SUCCESS)
        return puertos;
    for (DWORD i = 0;; ++i) {
        wchar_t nombre[256];
        DWORD largoNombre = 256;
        wchar_t valor[64] = {};
        DWORD bytes = sizeof valor - sizeof(wchar_t);  // room for the final zero
        DWORD tipo = 0;
        const LONG r = RegEnumValueW(clave, i, nombre, &largoNombre, nullptr, &tipo, reinterpret_cast<BYTE*>(valor),
                                     &bytes);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS || tipo != REG_SZ) continue;
        const QString puerto = QString::fromWCharArray(valor).trimmed();
        if (!puerto.isEmpty() && !puertos.contains(puerto)) puertos << puerto;
    }
    RegCloseKey(clave);
    std::sort(puertos.begin(), puertos.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return puertos;
}

PuertoSerie::PuertoSerie(QObject* padre) : QObject(padre) {
    sondeo_.setInterval(kSondeoMs);
    connect(&sondeo_, &QTimer::timeout, this, &PuertoSerie::leer);
}

PuertoSerie::~PuertoSerie() { cerrar(); }

bool PuertoSerie::abierto() const { return manejador_ != nullptr; }

bool PuertoSerie::abrir(const ParametrosPuerto& p) {
    cerrar();
    // COM10 and above exist only in the device namespace; COM1 is there too.
    std::wstring nombre = QString::fromStdString(p.puerto).toStdWString();
    if (nombre.rfind(L"\\\\.\\", 0) != 0) nombre = L"\\\\.\\" + nombre;
    // The instrument only talks: opened for reading alone, and by no one else.
    HANDLE h = CreateFileW(nombre.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = mensajeSistema(GetLastError());
        return false;
    }
    manejador_.reset(h);

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    bool ok = GetCommState(h, &dcb);
    if (ok) {
        const bool hardware = p.control == ControlFlujo::Hardware;
        const bool xonXoff = p.control == ControlFlujo::XonXoff;
        dcb.BaudRate = static_cast<DWORD>(p.baudios);
        dcb.ByteSize = static_cast<BYTE>(p.bitsDatos);
        dcb.Parity = paridadWin(p.paridad);
        dcb.fParity = dcb.Parity != NOPARITY;
        dcb.StopBits = p.bitsParada == 2 ? TWOSTOPBITS : ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fOutxCtsFlow = hardware;
        dcb.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fOutX = xonXoff;
        dcb.fInX = xonXoff;
        dcb.XonChar = 0x11;
        dcb.XoffChar = 0x13;
        dcb.fErrorChar = FALSE;
        dcb.fNull = FALSE;
        dcb.fAbortOnError = FALSE;
        // A port that refuses a setting counts as one that cannot be opened.
        ok = SetCommState(h, &dcb);
    }
    if (ok) {
        // A read returns at once with whatever has arrived, or nothing.
        COMMTIMEOUTS t{};
        t.ReadIntervalTimeout = MAXDWORD;
        ok = SetCommTimeouts(h, &t);
    }
    if (!ok) {
        error_ = mensajeSistema(GetLastError());
        manejador_.reset();
        return false;
    }
    sondeo_.start();
    return true;
}

void PuertoSerie::cerrar() {
    sondeo_.stop();
    manejador_.reset();
}

void PuertoSerie::leer() {
    if (!manejador_) return;
    QByteArray datos;
    char bufer[4096];
    for (;;) {
        DWORD leidos = 0;
        if (!ReadFile(manejador_.get(), bufer, sizeof bufer, &leidos, nullptr)) {
            // The adapter unplugged: what arrived before the failure is
            // still delivered, then the port closes and says so once.
            error_ = mensajeSistema(GetLastError());
            cerrar();
            if (!datos.isEmpty()) emit recibido(datos);
            emit fallo(error_);
            return;
        }
        if (leidos == 0) break;
        datos.append(bufer, static_cast<qsizetype>(leidos));
    }
    if (!datos.isEmpty()) emit recibido(datos);
}

}  // namespace celvara::ui
