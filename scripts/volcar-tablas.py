"""Shows the tables of Tabelio's working folder as an independent dBase reader sees them.

Usage: /usr/bin/python3 scripts/volcar-tablas.py CARPETA [--filas N] [TABLA ...]
One line per row, the fields separated by "|"; with --filas, only the first N rows of each table.
"""
import argparse
import os

from dbfread import DBF

TABLAS = ["ASIGNOMT", "ASIGNOMT2", "PROFT", "AULAT", "CURSOST", "GRUPOST", "ASIGT",
          "DIASHORAST", "DIASHORAST2", "PERIODOS"]


def valor(v):
    if v is None:
        return ""
    return v if isinstance(v, str) else repr(v)


def volcar(carpeta, nombre, filas_max):
    tabla = DBF(os.path.join(carpeta, f"{nombre}.DBF"), encoding="cp1252",
                char_decode_errors="strict")
    campos = " ".join(f"{c.name}:{c.type}{c.length}.{c.decimal_count}" for c in tabla.fields)
    filas = list(tabla)
    print(f"== {nombre} ({len(filas)} filas) {campos}")
    for fila in filas[:filas_max]:
        print("|".join(valor(v) for v in fila.values()))
    if filas_max is not None and len(filas) > filas_max:
        print("...")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("carpeta")
    parser.add_argument("tablas", nargs="*", default=TABLAS)
    parser.add_argument("--filas", type=int, default=None)
    args = parser.parse_args()
    for nombre in args.tablas:
        volcar(args.carpeta, nombre, args.filas)


if __name__ == "__main__":
    main()
