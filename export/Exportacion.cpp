#include "export/Exportacion.h"

#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "export/TransformarHorarios.h"
#include "platform/Documento.h"
#include "platform/Error.h"
#include "platform/Mensajes.h"
#include "platform/Tabla.h"
#include "text/Texto.h"

namespace rt {

namespace fs = std::filesystem;

namespace {

// The run's tables, opened for exclusive use in this order so that neither Tabelio nor an import
// can change them while the export reads; closed on every way out.
struct TablasExportacion {
    explicit TablasExportacion(const fs::path& carpeta)
        : soluc(Tabla::Abrir(carpeta, "SOLUC")),
          grupos(Tabla::Abrir(carpeta, "GRUPOST")),
          cursos(Tabla::Abrir(carpeta, "CURSOST")),
          profesores(Tabla::Abrir(carpeta, "PROFT")),
          aulas(Tabla::Abrir(carpeta, "AULAT")),
          materias(Tabla::Abrir(carpeta, "ASIGNOMT")),
          materiasCurso(Tabla::Abrir(carpeta, "ASIGNOMT2")),
          tramos(Tabla::Abrir(carpeta, "DIASHORAST")),
          asignaciones(Tabla::Abrir(carpeta, "ASIGT")) {}

    TablasHorarios Horarios() {
        return {soluc, profesores, asignaciones, materias, materiasCurso, tramos, grupos};
    }

    // In the order of opening. On a failure the destructors close the rest.
    void Cerrar() {
        for (Tabla* tabla : {&soluc, &grupos, &cursos, &profesores, &aulas, &materias,
                             &materiasCurso, &tramos, &asignaciones}) {
            tabla->Cerrar();
        }
    }

    Tabla soluc;
    Tabla grupos;
    Tabla cursos;  // never read, but held like the rest
    Tabla profesores;
    Tabla aulas;  // never read, but held like the rest
    Tabla materias;
    Tabla materiasCurso;
    Tabla tramos;
    Tabla asignaciones;
};

std::string Nombrado(const fs::path& fichero) { return "«" + fichero.string() + "»"; }

// The first four characters of the first block under BLOQUE_DATOS: the academic year, in a file
// from Racima its ANNO_ACADEMICO. Anything that is not an exchange file stops the run here, before
// its old content is dropped and before anything is written.
std::string AnnoAcademico(Documento& documento, const fs::path& fichero) {
    if (!documento.Cargar(fichero)) {
        throw Error("El fichero " + Nombrado(fichero) +
                    " no es un XML válido: " + documento.UltimoError());
    }
    const NodoXML bloqueDatos = documento.SeleccionarNodo("/SERVICIO/BLOQUE_DATOS");
    if (!bloqueDatos) {
        throw Error("El fichero " + Nombrado(fichero) +
                    " no es un fichero de intercambio de Racima: le falta /SERVICIO/BLOQUE_DATOS");
    }
    NodoXML primero = bloqueDatos.PrimerHijo();
    // Layout is no child: the XML service keeps a blank text only where no element stands
    // beside it, as in a BLOQUE_DATOS holding nothing but line breaks.
    while (primero && primero.Nombre() == "#text" &&
           primero.Texto().find_first_not_of(" \t\r\n") == std::string::npos) {
        primero = primero.SiguienteHermano();
    }
    if (!primero) {
        throw Error(
            "El fichero " + Nombrado(fichero) +
            " no es un fichero de intercambio de Racima: /SERVICIO/BLOQUE_DATOS está vacío");
    }
    return LeftPart(primero.Texto(), 4);
}

struct Periodo {
    std::string inicio;
    std::string fin;
};

Periodo LeerPeriodo(const fs::path& carpeta) {
    Tabla periodos = Tabla::Abrir(carpeta, "PERIODOS");
    Periodo periodo;
    periodos.Primero();
    if (!periodos.Fin()) {
        periodo.inicio = periodos.LeerTexto("FECINI");
        periodo.fin = periodos.LeerTexto("FECFIN");
    }
    periodos.Cerrar();
    return periodo;
}

// The new root with its header; gives its BLOQUE_DATOS.
NodoXML EscribirCabecera(Documento& documento, const std::string& fecha) {
    NodoXML servicio = documento.CrearElemento("SERVICIO");
    servicio.PonerAtributo("modulo", "HORARIOS");
    servicio.PonerAtributo("tipo", "I");
    servicio.PonerAtributo("autor", "HORARIOS");
    servicio.PonerAtributo("fecha", fecha);
    documento.AnadirHijo(servicio);
    NodoXML bloqueDatos = documento.CrearElemento("BLOQUE_DATOS");
    servicio.AnadirHijo(bloqueDatos);
    return bloqueDatos;
}

void EscribirAnno(Documento& documento, NodoXML bloqueDatos, const std::string& anno) {
    NodoXML bloque = documento.CrearElemento("grupo_datos");
    bloque.PonerAtributo("seq", "ANNO_ACADEMICO");
    NodoXML dato = documento.CrearElemento("dato");
    dato.PonerAtributo("nombre_dato", "C_ANNO");
    dato.PonerTexto(anno);
    bloque.AnadirHijo(dato);
    bloqueDatos.AnadirHijo(bloque);
}

// Steps from the opening of the tables to the saved output; false when PERIODOS is missing.
bool Exportar(EstadoPrincipal& estado, const FuenteFecha& fecha) {
    const fs::path& carpeta = estado.CarpetaTrabajo;
    TablasExportacion tablas(carpeta);

    estado.DocumentoXML = std::make_unique<Documento>();
    Documento& documento = *estado.DocumentoXML;
    const std::string anno = AnnoAcademico(documento, estado.FicheroXML);

    if (!fs::exists(RutaTabla(carpeta, "PERIODOS"))) {
        tablas.Cerrar();
        return false;
    }
    const Periodo periodo = LeerPeriodo(carpeta);

    documento.QuitarHijo(documento.ElementoDocumento());
    NodoXML bloqueDatos = EscribirCabecera(documento, fecha ? fecha() : FechaActual());
    EscribirAnno(documento, bloqueDatos, anno);
    TransformarHorarios(documento, bloqueDatos, periodo.inicio, periodo.fin, tablas.Horarios());
    tablas.Cerrar();

    // Whole or not at all: the save goes through a file of its own, renamed into place.
    documento.Guardar(RutaResultado(estado.FicheroXML));
    return true;
}

}  // namespace

std::filesystem::path RutaResultado(const std::filesystem::path& fichero) {
    return fichero.parent_path() / ("ResultadoVestro" + fichero.filename().string());
}

void EjecutarExportacion(EstadoPrincipal& estado, Interlocutor& persona) {
    EjecutarExportacion(estado, persona, FechaActual);
}

void EjecutarExportacion(EstadoPrincipal& estado, Interlocutor& persona, const FuenteFecha& fecha) {
    if (std::optional<fs::path> elegido = persona.ElegirFichero()) estado.FicheroXML = *elegido;
    std::error_code error;
    if (estado.FicheroXML.empty() || !fs::is_regular_file(estado.FicheroXML, error)) {
        persona.Mensaje(mensajes::kNoExisteArchivo);
        if (estado.ModoIncrustado == 2) {
            estado.ValorTransformado = -1;
            persona.CerrarVentana();
        }
        return;
    }

    bool terminada = false;
    {
        CursorOcupadoMientras cursor(persona);
        terminada = Exportar(estado, fecha);
    }
    if (!terminada) {
        persona.Mensaje(mensajes::kPeriodosNoEncontrado);
        return;
    }
    estado.ValorTransformado = 1;
    persona.Mensaje(mensajes::kProcesoFinalizado);
    if (estado.ModoIncrustado == 2) persona.CerrarVentana();
}

}  // namespace rt
