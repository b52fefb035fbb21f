"""Dumps the tables of an import, as an independent dBase reader sees them, one line per row."""
import sys

from dbfread import DBF

TABLAS = ["ASIGNOMT", "ASIGNOMT2", "PROFT", "AULAT", "CURSOST", "GRUPOST", "ASIGT",
          "DIASHORAST", "DIASHORAST2", "PERIODOS"]


def main(carpeta):
    for nombre in TABLAS:
        tabla = DBF(f"{carpeta}/{nombre}.DBF", encoding="cp1252", char_decode_errors="strict")
        campos = " ".join(f"{c.name}:{c.type}{c.length}.{c.decimal_count}" for c in tabla.fields)
        filas = list(tabla)
        print(f"== {nombre} ({len(filas)} filas) {campos}")
        for fila in filas:
            print("|".join("" if v is None else repr(v) if not isinstance(v, str) else v
                           for v in fila.values()))


if __name__ == "__main__":
    main(sys.argv[1])
