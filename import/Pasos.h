#pragma once
// The seven steps of the import run, in the order the run calls them. Each rebuilds its tables in
// the working folder from the loaded exchange document.

#include <filesystem>
#include <set>
#include <string>

#include "platform/Documento.h"
#include "platform/Interlocutor.h"

namespace rt {

// The working lists of the subjects step: sorted, case-sensitive, no text twice. They serve one
// import run and are handed from the subjects step to the activities step, which ends them.
struct ListasMaterias {
    std::set<std::string> CodigosAsignados;   // short codes as numbered, before shortening
    std::set<std::string> CodigosLargos;      // long codes, whole
    std::set<std::string> NombresMaterias;    // names upper-cased (a to z only)
    std::set<std::string> ParesCodigoNombre;  // long code immediately followed by the name
};

void TransformarMaterias(const Documento& doc, const std::filesystem::path& trabajo,
                         ListasMaterias& listas);
void TransformarActividades(const Documento& doc, const std::filesystem::path& trabajo,
                            ListasMaterias& listas);
void TransformarProfesores(const Documento& doc, const std::filesystem::path& trabajo);
void TransformarAulas(const Documento& doc, const std::filesystem::path& trabajo);
void TransformarCursosGrupos(const Documento& doc, const std::filesystem::path& trabajo,
                             const std::filesystem::path& programa);
void TransformarAsignaciones(const Documento& doc, const std::filesystem::path& trabajo);
// Chooses the school-day template (through the person's chooser when the file holds two or more,
// loaded again from `fichero`) into `JornadaElegida`, and rebuilds the grid and the period.
void TransformarTramos(const Documento& doc, const std::filesystem::path& trabajo,
                       const std::filesystem::path& fichero, Interlocutor& persona,
                       std::string& JornadaElegida);

}  // namespace rt
