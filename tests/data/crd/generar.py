#!/usr/bin/env python3
"""Builds the golden coordinate files of this folder straight from the record
layouts, independently of the program's writer. Run it from anywhere; it
rewrites the .crd files beside it."""
import os
import struct

AQUI = os.path.dirname(os.path.abspath(__file__))
MARCA = b"V5.0\0"


def rgb(r, g, b):
    return r | g << 8 | b << 16


def texto(buf, off, tam, s):
    b = s.encode("cp1252")[: tam - 1]
    buf[off : off + len(b)] = b


# (offset, format, default) of every display attribute of a 304-byte record.
ATRIBUTOS = [
    (32, "B", 1),            # base flag
    (40, "<d", 500.0),
    (48, "B", 0),
    (56, "<d", 0.001),
    (64, "B", 0),
    (65, "B", 1),
    (68, "<I", 256),
    (104, "<d", 0.5), (112, "<d", 0.5), (120, "<d", 0.0),
    (128, "B", 1), (136, "<d", 0.0015), (144, "<I", rgb(128, 255, 255)),
    (148, "B", 1),
    (152, "<d", 0.5), (160, "<d", -1.25), (168, "<d", 0.0),
    (176, "<d", 0.0015), (184, "B", 2), (188, "<I", rgb(252, 93, 54)),
    (248, "<d", 0.5), (256, "<d", -0.125), (264, "<d", 0.0),
    (272, "B", 1), (280, "<d", 0.0005), (288, "<I", rgb(255, 255, 255)),
]


def registro(x, y, z, nombre, estacion="", codigo="", base=1, otros=None, enlaces=(0, 0, 0)):
    b = bytearray(304)
    struct.pack_into("<ddd", b, 0, x, y, z)
    for off, fmt, defecto in ATRIBUTOS:
        struct.pack_into(fmt, b, off, defecto)
    struct.pack_into("B", b, 32, base)
    for off, valor in (otros or {}).items():
        fmt = next(f for o, f, _ in ATRIBUTOS if o == off)
        struct.pack_into(fmt, b, off, valor)
    texto(b, 72, 15, estacion)
    texto(b, 87, 15, nombre)
    texto(b, 192, 50, codigo)
    struct.pack_into("<I", b, 24, enlaces[0])
    struct.pack_into("<I", b, 296, enlaces[1])
    struct.pack_into("<I", b, 300, enlaces[2])
    return bytes(b)


def punto(base, nombre, estacion, x, y, z, codigo, enlaces=(0, 0, 0)):
    b = bytearray(120)
    b[0] = base
    texto(b, 1, 15, nombre)
    texto(b, 16, 16, estacion)
    struct.pack_into("<ddd", b, 32, x, y, z)
    texto(b, 56, 52, codigo)
    struct.pack_into("<III", b, 108, *enlaces)
    return bytes(b)


def actual(*registros, subversion=0):
    return MARCA + struct.pack("<I", subversion) + b"".join(registros)


def grabar(nombre, datos):
    with open(os.path.join(AQUI, nombre), "wb") as f:
        f.write(datos)


# Only the mark, its NUL and the sub-version.
grabar("vacio_v50.crd", actual())

# 240 bytes, no mark: two points of the older form (links hold old addresses).
grabar("antigua_dos_puntos.crd",
       punto(1, "B1", "E1", 100.5, 200.25, 10.125, "Clavo en acera", (0x00412A30, 0, 0x00DE0000)) +
       punto(0, "P2", "Señal", -3.75, 4e6, 0.001, "Árbol", (0, 0x00412A30, 0)))

# What exporting the test book gives: a station with a 15-character name and
# a long first description is cut to the point name and the code.
LARGA = "Descripción larga de la base para comprobar el corte del código"
grabar("exportacion_estaciones.crd", actual(
    registro(1000.123, 2000.456, 50.5, "B1", codigo="Clavo en acera"),
    registro(-12.5, 0.0, 1e-3, "ESTACION-LARGA", codigo=LARGA),
    registro(0.0, 0.0, 0.0, "", codigo="")))

# Display attributes away from their defaults, with stray link values.
OTROS = {32: 7, 40: 1000.0, 48: 3, 56: 0.002, 64: 1, 65: 0, 68: rgb(1, 2, 3),
         104: 1.5, 112: -2.5, 120: 45.0, 128: 0, 136: 0.0025, 144: rgb(10, 20, 30),
         148: 0, 152: -0.5, 160: 2.25, 168: 90.0, 176: 0.003, 184: 3, 188: rgb(40, 50, 60),
         248: 0.25, 256: 0.75, 264: 180.0, 272: 0, 280: 0.001, 288: rgb(70, 80, 90)}
con_enlaces = [registro(1.0, 2.0, 3.0, "A1", "EST", "muro", otros=OTROS, enlaces=(0x0041F2C8, 0x00A1B2C3, 0)),
               registro(4.0, 5.0, 6.0, "A2", "", "", base=0, enlaces=(0x0041F2C8, 0, 0x00A1B2C3))]
grabar("atributos.crd", actual(*con_enlaces))
grabar("atributos_limpio.crd", actual(
    registro(1.0, 2.0, 3.0, "A1", "EST", "muro", otros=OTROS),
    registro(4.0, 5.0, 6.0, "A2", "", "", base=0)))

# A sub-version this program does not know.
grabar("subversion_1.crd", actual(registro(1.0, 2.0, 3.0, "X"), subversion=1))
