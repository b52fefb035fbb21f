#!/usr/bin/python3
"""Muestra el horario regular de un profesor de un fichero exportado hacia Racima.

Uso: mostrar-horario.py RESULTADO.xml [--original RACIMA.xml] [--profesor N]

Con --original se ponen nombres a las claves (profesor, unidad, materia, actividad, aula) tomándolos
del fichero de intercambio del que salió la importación. N es el número del profesor en el fichero
(1 por omisión). Solo usa la biblioteca estándar.
"""
import argparse
import xml.etree.ElementTree as ET

DIAS = {"1": "lunes", "2": "martes", "3": "miércoles", "4": "jueves", "5": "viernes",
        "6": "sábado", "7": "domingo"}


def bloques(raiz, seq):
    return raiz.findall(f"./BLOQUE_DATOS/grupo_datos[@seq='{seq}']/grupo_datos")


def valores(registro):
    return [(d.text or "").strip() for d in registro.findall("dato")]


def datos(registro):
    return {d.get("nombre_dato"): d.text or "" for d in registro.findall("dato")}


def hora(minutos):
    m = int(minutos)
    return f"{m // 60:02d}:{m % 60:02d}"


def nombres(original):
    if not original:
        return {}, {}, {}, {}, {}
    raiz = ET.parse(original).getroot()
    profesores, unidades, materias, actividades, aulas = {}, {}, {}, {}, {}
    for v in map(valores, bloques(raiz, "EMPLEADOS")):
        if len(v) >= 6:
            profesores[v[0]] = f"{v[5]} {v[3]} {v[4]}"
    for v in map(valores, bloques(raiz, "UNIDADES")):
        if len(v) >= 2:
            unidades[v[0]] = v[1]
    for v in map(valores, bloques(raiz, "MATERIAS")):
        if len(v) >= 3:
            materias[(v[0], v[1])] = v[2]
    for v in map(valores, bloques(raiz, "ACTIVIDADES")):
        if len(v) >= 3:
            actividades[v[1]] = v[2]
    for v in map(valores, bloques(raiz, "DEPENDENCIAS")):
        if len(v) >= 2 and v[0]:
            aulas[v[0]] = v[1]
    return profesores, unidades, materias, actividades, aulas


def main():
    argumentos = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    argumentos.add_argument("resultado")
    argumentos.add_argument("--original")
    argumentos.add_argument("--profesor", type=int, default=1)
    a = argumentos.parse_args()

    profesores, unidades, materias, actividades, aulas = nombres(a.original)
    raiz = ET.parse(a.resultado).getroot()
    seq = f"HORARIO_REGULAR_PROFESOR_{a.profesor}"
    profesor = raiz.find(f"./BLOQUE_DATOS/grupo_datos[@seq='HORARIOS_REGULARES']"
                         f"/grupo_datos[@seq='{seq}']")
    if profesor is None:
        raise SystemExit(f"El fichero no tiene el bloque {seq}")
    cabecera = datos(profesor)
    empleado = cabecera.get("X_EMPLEADO", "")
    nombre = profesores.get(empleado)
    print(f"Profesor {a.profesor}: {nombre + ' ' if nombre else ''}(X_EMPLEADO {empleado}), "
          f"{profesor.get('registros')} actividades")

    lecciones = [datos(g) for g in profesor.findall("grupo_datos")]
    lecciones.sort(key=lambda d: (d["N_DIASEMANA"], int(d["N_HORINI"] or 0)))
    for d in lecciones:
        if d["X_UNIDAD"]:
            unidad = unidades.get(d["X_UNIDAD"], d["X_UNIDAD"])
            que = materias.get((d["X_OFERTAMATRIG"], d["X_MATERIAOMG"]), d["X_MATERIAOMG"])
            que = f"{unidad:<10} {que}"
        else:
            que = actividades.get(d["X_ACTIVIDAD"], f"actividad {d['X_ACTIVIDAD']}")
        aula = aulas.get(d["X_DEPENDENCIA"], d["X_DEPENDENCIA"])
        print(f"  {DIAS.get(d['N_DIASEMANA'], d['N_DIASEMANA'] or '?'):<9} "
              f"{hora(d['N_HORINI'])}-{hora(d['N_HORFIN'])}  {que}"
              f"{'  (' + aula + ')' if aula else ''}")


if __name__ == "__main__":
    main()
