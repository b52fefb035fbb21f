"""Writes a solved timetable SOLUC with an independent dBase writer, as a dBase program would.

Usage: escribir_soluc.py TABLE.DBF ROWS.txt [--dia-hora-texto]
ROWS.txt: one row a line, UTF-8, "PROF;DIA;HORA;ASIG;CODGRUPO;AULA;TAREA".
DIA and HORA are numeric columns N(2,0), or character columns C(2) with --dia-hora-texto.
"""
import sys

import dbf


def main():
    tabla_dbf, filas_txt = sys.argv[1], sys.argv[2]
    texto = "--dia-hora-texto" in sys.argv[3:]
    tipo = "C(2)" if texto else "N(2,0)"
    tabla = dbf.Table(tabla_dbf,
                      f"PROF C(4); DIA {tipo}; HORA {tipo}; ASIG C(4); CODGRUPO C(4); "
                      "AULA C(10); TAREA C(12)",
                      codepage="cp1252", dbf_type="db3")
    tabla.open(dbf.READ_WRITE)
    with open(filas_txt, encoding="utf-8") as filas:
        for linea in filas:
            prof, dia, hora, asig, grupo, aula, tarea = linea.rstrip("\n").split(";")
            if not texto:
                dia, hora = int(dia), int(hora)
            tabla.append((prof, dia, hora, asig, grupo, aula, tarea))
    tabla.close()


if __name__ == "__main__":
    main()
