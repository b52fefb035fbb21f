"""Reads a .DBF with an independent reader and prints its fields and rows, one line each.

Usage: leer_dbf.py TABLE.DBF
Output (UTF-8): a line "CAMPOS name:type:length:decimals ...", then one line per row,
"name=repr(value)" joined by "|", values decoded from Windows-1252.
"""
import sys

from dbfread import DBF


def main():
    sys.stdout.reconfigure(encoding="utf-8")
    tabla = DBF(sys.argv[1], encoding="cp1252", char_decode_errors="strict")
    print("CAMPOS " + " ".join(f"{c.name}:{c.type}:{c.length}:{c.decimal_count}" for c in tabla.fields))
    for fila in tabla:
        print("|".join(f"{k}={v!r}" for k, v in fila.items()))


if __name__ == "__main__":
    main()
