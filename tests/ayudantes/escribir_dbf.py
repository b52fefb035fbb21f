"""Writes a small dBase III table in code page 1252 with an independent writer.

Usage: escribir_dbf.py TABLE.DBF
Rows: ('Peña €º á', 12, 7.5, True, 2024-05-06), a deleted row, ('Ñandú', -3, blank...).
"""
import sys

import dbf


def main():
    tabla = dbf.Table(sys.argv[1], "NOMBRE C(20); EDAD N(5,0); NOTA N(8,2); ACTIVO L; ALTA D",
                      codepage="cp1252", dbf_type="db3")
    tabla.open(dbf.READ_WRITE)
    tabla.append(("Peña €º á", 12, 7.5, True, dbf.Date(2024, 5, 6)))
    tabla.append(("borrada", 1, 1, False, None))
    dbf.delete(tabla[-1])
    tabla.append(("Ñandú", -3, None, None, None))
    tabla.close()


if __name__ == "__main__":
    main()
