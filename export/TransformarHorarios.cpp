#include "export/TransformarHorarios.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "export/Minutos.h"
#include "platform/Error.h"
#include "text/Texto.h"

namespace rt {

namespace {

bool EnBlanco(const std::string& texto) { return TrimBoth(texto).empty(); }

std::string NombreTabla(const Tabla& tabla) { return tabla.Fichero().filename().string(); }

// The platform's conversion message alone does not say where the number was looked for.
[[noreturn]] void ErrorEnCampo(const ErrorConversion& error, const Tabla& tabla,
                               std::string_view campo) {
    throw Error(std::string(error.what()) + " (campo " + std::string(campo) + " de " +
                NombreTabla(tabla) + ")");
}

std::int32_t LeerEnteroDe(const Tabla& tabla, std::string_view campo) {
    try {
        return tabla.LeerEntero(campo);
    } catch (const ErrorConversion& error) {
        ErrorEnCampo(error, tabla, campo);
    }
}

std::int32_t MinutosDe(const std::string& hora, const Tabla& tramos, std::string_view campo) {
    try {
        return MinutosDeHora(hora);
    } catch (const ErrorConversion& error) {
        ErrorEnCampo(error, tramos, campo);
    }
}

NodoXML NuevoBloque(Documento& documento, const std::string& seq) {
    NodoXML bloque = documento.CrearElemento("grupo_datos");
    bloque.PonerAtributo("seq", seq);
    return bloque;
}

void AnadirDato(Documento& documento, NodoXML padre, std::string_view nombre,
                std::string_view valor) {
    NodoXML dato = documento.CrearElemento("dato");
    dato.PonerAtributo("nombre_dato", nombre);
    dato.PonerTexto(valor);
    padre.AnadirHijo(dato);
}

// The working values of one lesson: each empty until a table supplies it, so that nothing
// carries over from the lesson before.
struct Leccion {
    std::string asignatura;  // ASIG
    std::string grupo;       // CODGRUPO
    std::string tarea;
    std::string claveMateria;
    std::string claveCurso;
    std::string dia;
    std::string tramo;
    std::string horaDesde;
    std::string horaHasta;
    std::string aula;
    std::string unidad;
};

class Horarios {
  public:
    Horarios(Documento& documento, const std::string& inicio, const std::string& fin,
             TablasHorarios tablas)
        : doc_(documento), inicio_(inicio), fin_(fin), t_(tablas) {}

    void Escribir(NodoXML bloqueDatos) {
        NodoXML horarios = NuevoBloque(doc_, "HORARIOS_REGULARES");
        bloqueDatos.AnadirHijo(horarios);
        horarios.PonerAtributo("registros", std::to_string(t_.profesores.NumeroFilas()));
        std::size_t n = 1;
        for (t_.profesores.Primero(); !t_.profesores.Fin(); t_.profesores.Siguiente()) {
            EscribirProfesor(horarios, n++);
        }
    }

  private:
    void EscribirProfesor(NodoXML horarios, std::size_t n) {
        const std::string empleado = t_.profesores.LeerTexto("X_EMPLEADO");
        const std::string tomaPosesion = t_.profesores.LeerTexto("F_TOMAPOS");
        const std::string abreviatura = t_.profesores.LeerTexto("ABREV");
        NodoXML profesor = NuevoBloque(doc_, "HORARIO_REGULAR_PROFESOR_" + std::to_string(n));

        Tabla& soluc = t_.soluc;
        soluc.Seleccionar("PROF", abreviatura);
        std::size_t lecciones = 0;
        for (soluc.Primero(); !soluc.Fin(); soluc.Siguiente()) {
            if (LeerEnteroDe(soluc, "DIA") != 0) ++lecciones;
        }
        profesor.PonerAtributo("registros", std::to_string(lecciones));
        horarios.AnadirHijo(profesor);
        AnadirDato(doc_, profesor, "X_EMPLEADO", empleado);
        AnadirDato(doc_, profesor, "F_TOMAPOS", tomaPosesion);

        std::size_t m = 1;
        for (soluc.Primero(); !soluc.Fin(); soluc.Siguiente()) {
            if (LeerEnteroDe(soluc, "DIA") == 0) continue;
            EscribirLeccion(profesor, m++);
        }
    }

    void EscribirLeccion(NodoXML profesor, std::size_t m) {
        NodoXML registro = NuevoBloque(doc_, "ACTIVIDAD_" + std::to_string(m));
        profesor.AnadirHijo(registro);

        Leccion l;
        const Tabla& soluc = t_.soluc;
        l.asignatura = soluc.LeerTexto("ASIG");
        l.grupo = soluc.LeerTexto("CODGRUPO");
        l.tarea = soluc.LeerTexto("TAREA");
        BuscarAsignacion(l);
        BuscarTarea(l);
        BuscarTramo(l, LeerEnteroDe(soluc, "DIA"), LeerEnteroDe(soluc, "HORA"));
        l.aula = soluc.LeerTexto("AULA");
        if (EnBlanco(l.aula)) l.aula.clear();
        BuscarUnidad(l);
        BuscarMateriaDeLaOferta(l);
        const std::int32_t inicio = MinutosDe(l.horaDesde, t_.tramos, "HORADESDE");
        const std::int32_t fin = MinutosDe(l.horaHasta, t_.tramos, "HORAHASTA");

        AnadirDato(doc_, registro, "N_DIASEMANA", l.dia);
        AnadirDato(doc_, registro, "X_TRAMO", l.tramo);
        AnadirDato(doc_, registro, "X_DEPENDENCIA", l.aula);
        AnadirDato(doc_, registro, "X_UNIDAD", l.unidad);
        AnadirDato(doc_, registro, "X_OFERTAMATRIG", l.claveCurso);
        AnadirDato(doc_, registro, "X_MATERIAOMG", l.claveMateria);
        AnadirDato(doc_, registro, "F_INICIO", inicio_);
        AnadirDato(doc_, registro, "F_FIN", fin_);
        AnadirDato(doc_, registro, "N_HORINI", std::to_string(inicio));
        AnadirDato(doc_, registro, "N_HORFIN", std::to_string(fin));
        AnadirDato(doc_, registro, "X_ACTIVIDAD", EnBlanco(l.tarea) ? "1" : l.tarea);
    }

    void BuscarAsignacion(Leccion& l) {
        Tabla& asignaciones = t_.asignaciones;
        if (asignaciones.Localizar("CASIG", l.asignatura, "CGRUP", l.grupo)) {
            l.claveMateria = asignaciones.LeerTexto("CLAVE");
            l.claveCurso = asignaciones.LeerTexto("CLAVECURSO");
        }
    }

    // A lesson without a task of its own takes its subject's: that is how Tabelio's activities
    // (duties, meetings) come back with their code.
    void BuscarTarea(Leccion& l) {
        if (!EnBlanco(l.tarea)) return;
        if (t_.materias.Localizar("COD", l.asignatura)) l.tarea = t_.materias.LeerTexto("CODTAREA");
    }

    // The key is the day and the hour as the grid's DIHO writes them: both in decimal without
    // leading zeros, whatever the column types of SOLUC.
    void BuscarTramo(Leccion& l, std::int32_t dia, std::int32_t hora) {
        Tabla& tramos = t_.tramos;
        if (!tramos.Localizar("DIHO", std::to_string(dia) + std::to_string(hora))) return;
        l.dia = tramos.LeerTexto("DIA");
        l.tramo = tramos.LeerTexto("CODDIHO");
        l.horaDesde = tramos.LeerTexto("HORADESDE");
        l.horaHasta = tramos.LeerTexto("HORAHASTA");
    }

    void BuscarUnidad(Leccion& l) {
        Tabla& grupos = t_.grupos;
        if (!grupos.Localizar("ABREV", l.grupo)) return;
        l.unidad = grupos.LeerTexto("CLAVE");
        if (EnBlanco(l.claveCurso)) l.claveCurso = grupos.LeerTexto("CLAVECURSO");
    }

    void BuscarMateriaDeLaOferta(Leccion& l) {
        if (!EnBlanco(l.claveMateria)) return;
        Tabla& materiasCurso = t_.materiasCurso;
        if (materiasCurso.Localizar("COD", l.asignatura, "OFERTAMATRI", l.claveCurso)) {
            l.claveMateria = materiasCurso.LeerTexto("MATERIA");
        }
    }

    Documento& doc_;
    const std::string& inicio_;
    const std::string& fin_;
    TablasHorarios t_;
};

}  // namespace

void TransformarHorarios(Documento& documento, NodoXML bloqueDatos,
                         const std::string& inicioPeriodo, const std::string& finPeriodo,
                         TablasHorarios tablas) {
    Horarios(documento, inicioPeriodo, finPeriodo, tablas).Escribir(bloqueDatos);
}

}  // namespace rt
