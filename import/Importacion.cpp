#include "import/Importacion.h"

#include "import/Pasos.h"
#include "platform/Error.h"
#include "platform/Mensajes.h"
#include "platform/Tabla.h"

namespace rt {

namespace {

bool ExisteFichero(const std::filesystem::path& ruta) {
    std::error_code ec;
    return !ruta.empty() && std::filesystem::is_regular_file(ruta, ec);
}

// A file that is not an exchange file would otherwise rebuild every table empty and report
// success; it is refused before any table is touched.
std::unique_ptr<Documento> CargarIntercambio(const std::filesystem::path& fichero) {
    auto doc = std::make_unique<Documento>();
    if (!doc->Cargar(fichero)) {
        throw Error("No se puede leer «" + fichero.string() + "» como XML: " + doc->UltimoError());
    }
    const NodoXML raiz = doc->ElementoDocumento();
    if (!raiz || raiz.Nombre() != "SERVICIO") {
        throw Error("«" + fichero.string() +
                    "» no es un fichero de intercambio de Racima: no tiene el elemento SERVICIO");
    }
    return doc;
}

void TransformarTodo(EstadoPrincipal& estado, Interlocutor& persona) {
    const Documento& doc = *estado.DocumentoXML;
    const std::filesystem::path& trabajo = estado.CarpetaTrabajo;
    ListasMaterias listas;
    TransformarMaterias(doc, trabajo, listas);
    TransformarActividades(doc, trabajo, listas);
    TransformarProfesores(doc, trabajo);
    TransformarAulas(doc, trabajo);
    TransformarCursosGrupos(doc, trabajo, estado.CarpetaPrograma);
    TransformarAsignaciones(doc, trabajo);
    TransformarTramos(doc, trabajo, estado.FicheroXML, persona, estado.JornadaElegida);
}

}  // namespace

const std::vector<std::string>& TablasImportacion() {
    static const std::vector<std::string> tablas = {
        "ASIGNOMT", "ASIGNOMT2", "PROFT",      "AULAT",       "CURSOST",
        "GRUPOST",  "ASIGT",     "DIASHORAST", "DIASHORAST2", "PERIODOS",
    };
    return tablas;
}

void EjecutarImportacion(EstadoPrincipal& estado, Interlocutor& persona) {
    if (auto elegido = persona.ElegirFichero()) estado.FicheroXML = *elegido;
    if (!ExisteFichero(estado.FicheroXML)) {
        persona.Mensaje(mensajes::kNoExisteArchivo);
        if (estado.ModoIncrustado == 2) {
            estado.ValorTransformado = -1;
            persona.CerrarVentana();
        }
        return;
    }
    if (!ExisteFichero(RutaTabla(estado.CarpetaPrograma, "NIVELLARI"))) {
        persona.Mensaje(mensajes::kNivellariNoEncontrado);
        return;
    }
    estado.DocumentoXML = CargarIntercambio(estado.FicheroXML);
    {
        CursorOcupadoMientras cursor(persona);
        TransformarTodo(estado, persona);
    }
    estado.ValorTransformado = 1;
    persona.Mensaje(mensajes::kProcesoFinalizado);
    if (estado.ModoIncrustado == 2) persona.CerrarVentana();
}

}  // namespace rt
