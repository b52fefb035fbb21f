// solucionador-sustituto: a stand-in for Tabelio's solver, used only by the demo and the tests.
//
// Tabelio solves the timetable and writes SOLUC into its working folder; the export reads it back.
// Where Tabelio is not at hand this program writes a SOLUC for the tables of an import, so that
// the export has something to read. It knows nothing of good timetables: it places every lesson
// of ASIGT (HORAS of them for each row) on the Monday-to-Friday grid of DIASHORAST, with teachers
// of PROFT handed out in turn and rooms of AULAT, such that no teacher and no unit has two lessons
// at one day and hour. Like a real solved timetable it also holds a few rows that are not
// lessons of a unit: activities (duties) with no unit, blank TAREA and blank AULA, and lessons
// left out of the timetable (DIA 0). The result depends only on the tables.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "export/Soluc.h"
#include "platform/Carpetas.h"
#include "platform/Error.h"
#include "platform/Tabla.h"
#include "text/Texto.h"

namespace {

namespace fs = std::filesystem;
using rt::Tabla;

constexpr const char* kAyuda =
    "Uso: solucionador-sustituto [CARPETA]\n"
    "\n"
    "Sustituto del solucionador de Tabelio, solo para la demostración y las pruebas: escribe en\n"
    "CARPETA (por omisión, la carpeta de trabajo de Tabelio) una tabla SOLUC que coloca las\n"
    "lecciones de ASIGT en la rejilla de DIASHORAST con profesores de PROFT y aulas de AULAT,\n"
    "sin que un profesor o una unidad tenga dos lecciones a la vez. No busca un buen horario.\n";

struct Asignacion {
    std::string asignatura;
    std::string grupo;
    std::string tarea;
    int horas = 0;
};

struct Hueco {
    int dia = 0;
    int hora = 0;
    bool recreo = false;  // too short for a lesson; a duty may go there
    bool operator<(const Hueco& otro) const {
        return std::tie(dia, hora) < std::tie(otro.dia, otro.hora);
    }
};

struct Fila {
    std::size_t profesor = 0;  // position in PROFT, for the order of the rows
    std::string prof;
    Hueco hueco;
    std::string asignatura;
    std::string grupo;
    std::string aula;
    std::string tarea;
};

std::vector<std::string> Columna(const fs::path& carpeta, const char* tabla, const char* campo) {
    Tabla t = Tabla::Abrir(carpeta, tabla);
    std::vector<std::string> valores;
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        std::string valor = t.LeerTexto(campo);
        if (!rt::TrimBoth(valor).empty()) valores.push_back(std::move(valor));
    }
    t.Cerrar();
    return valores;
}

std::vector<Asignacion> LeerAsignaciones(const fs::path& carpeta) {
    Tabla t = Tabla::Abrir(carpeta, "ASIGT");
    std::vector<Asignacion> asignaciones;
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        const double horas = t.LeerTexto("HORAS").empty() ? 0.0 : t.LeerFlotante("HORAS");
        asignaciones.push_back({t.LeerTexto("CASIG"), t.LeerTexto("CGRUP"), t.LeerTexto("CTAREA"),
                                std::max(0, static_cast<int>(std::lround(horas)))});
    }
    t.Cerrar();
    return asignaciones;
}

// The days and hours of the grid; Monday to Friday where the grid has them. A slot much shorter
// than the longest (a break) takes no lessons.
std::vector<Hueco> LeerRejilla(const fs::path& carpeta) {
    Tabla t = Tabla::Abrir(carpeta, "DIASHORAST");
    std::map<Hueco, int> minutos;
    int maximo = 0;
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        const std::string texto = t.LeerTexto("MINUTOS");
        const int duracion = texto.empty() ? 0 : rt::AEntero(texto);
        minutos[{t.LeerEntero("DIA"), t.LeerEntero("HORA")}] = duracion;
        maximo = std::max(maximo, duracion);
    }
    t.Cerrar();
    std::vector<Hueco> todos;
    std::vector<Hueco> laborables;
    for (const auto& [clave, duracion] : minutos) {
        Hueco hueco = clave;
        hueco.recreo = 3 * duracion < 2 * maximo;
        todos.push_back(hueco);
        if (hueco.dia >= 1 && hueco.dia <= 5) laborables.push_back(hueco);
    }
    return laborables.empty() ? todos : laborables;
}

class Solucionador {
  public:
    Solucionador(std::vector<std::string> profesores, std::vector<std::string> aulas,
                 std::vector<Hueco> rejilla)
        : profesores_(std::move(profesores)),
          aulas_(std::move(aulas)),
          rejilla_(std::move(rejilla)) {
        for (const Hueco& h : rejilla_) {
            if (dias_.empty() || dias_.back() != h.dia) dias_.push_back(h.dia);
        }
    }

    void ColocarLecciones(const std::vector<Asignacion>& asignaciones) {
        for (std::size_t r = 0; r < asignaciones.size(); ++r) {
            const Asignacion& a = asignaciones[r];
            const std::size_t p = r % profesores_.size();
            for (int k = 0; k < a.horas; ++k) {
                Fila fila{p, profesores_[p], {}, a.asignatura, a.grupo, {}, a.tarea};
                // Every third lesson leaves its task to the subject, as Tabelio's rows may.
                if ((r + k) % 3 == 2) fila.tarea.clear();
                const std::size_t inicio = r + static_cast<std::size_t>(k);
                if (const Hueco* h =
                        BuscarHueco(fila.prof, fila.grupo, inicio, a.asignatura, false)) {
                    fila.hueco = *h;
                    fila.aula = BuscarAula(*h, r);
                    Ocupar(fila);
                    ++colocadas_;
                } else {
                    ++sinColocar_;
                }
                filas_.push_back(std::move(fila));
            }
        }
    }

    // A duty for each of the first teachers, one per activity, and a lesson that the first two
    // teachers have left out of the timetable.
    void AnadirOtrasFilas(const std::vector<std::string>& actividades,
                          const std::vector<Asignacion>& asignaciones) {
        const std::size_t conGuardias = std::min<std::size_t>(3, profesores_.size());
        for (std::size_t p = 0; p < conGuardias; ++p) {
            for (std::size_t i = 0; i < actividades.size() && i < 2; ++i) {
                Fila fila{p, profesores_[p], {}, rt::LeftPart(actividades[i], 4), {}, {}, {}};
                if (const Hueco* h = BuscarHueco(fila.prof, "", p + i, "", true)) {
                    fila.hueco = *h;
                    Ocupar(fila);
                    filas_.push_back(std::move(fila));
                }
            }
        }
        if (asignaciones.empty()) return;
        for (std::size_t p = 0; p < std::min<std::size_t>(2, profesores_.size()); ++p) {
            const Asignacion& a = asignaciones[p % asignaciones.size()];
            filas_.push_back({p, profesores_[p], {0, 0}, a.asignatura, a.grupo, {}, {}});
            ++sinColocar_;
        }
    }

    void Escribir(const fs::path& carpeta) {
        std::stable_sort(filas_.begin(), filas_.end(), [](const Fila& a, const Fila& b) {
            return std::tie(a.profesor, a.hueco) < std::tie(b.profesor, b.hueco);
        });
        rt::BorrarTabla(carpeta, rt::kTablaSoluc);
        rt::CrearTabla(carpeta, rt::kTablaSoluc, rt::CamposSoluc());
        Tabla soluc = Tabla::Abrir(carpeta, rt::kTablaSoluc);
        for (const Fila& f : filas_) {
            soluc.Anadir();
            soluc.PonerTexto("PROF", f.prof);
            soluc.PonerEntero("DIA", f.hueco.dia);
            soluc.PonerEntero("HORA", f.hueco.hora);
            soluc.PonerTexto("ASIG", f.asignatura);
            soluc.PonerTexto("CODGRUPO", f.grupo);
            soluc.PonerTexto("AULA", f.aula);
            soluc.PonerTexto("TAREA", f.tarea);
            soluc.Grabar();
        }
        soluc.Cerrar();
    }

    std::size_t Filas() const { return filas_.size(); }
    std::size_t Colocadas() const { return colocadas_; }
    std::size_t SinColocar() const { return sinColocar_; }

  private:
    bool Libre(const std::string& prof, const std::string& grupo, const Hueco& h) const {
        if (ocupados_.contains({"P" + prof, h})) return false;
        return grupo.empty() || !ocupados_.contains({"G" + grupo, h});
    }

    bool MismaMateriaEseDia(const std::string& grupo, const std::string& asignatura,
                            int dia) const {
        return !asignatura.empty() && materiaDelDia_.contains({grupo + "/" + asignatura, dia});
    }

    // The lessons of one assignment are spread over the week: the search starts on another day
    // for each of them, and a second round allows a subject twice a day.
    const Hueco* BuscarHueco(const std::string& prof, const std::string& grupo, std::size_t inicio,
                             const std::string& asignatura, bool enRecreo) const {
        if (dias_.empty()) return nullptr;
        for (int ronda = 0; ronda < 2; ++ronda) {
            for (std::size_t d = 0; d < dias_.size(); ++d) {
                const int dia = dias_[(inicio + d) % dias_.size()];
                if (ronda == 0 && MismaMateriaEseDia(grupo, asignatura, dia)) continue;
                for (const Hueco& h : rejilla_) {
                    if (h.dia == dia && (enRecreo || !h.recreo) && Libre(prof, grupo, h)) return &h;
                }
            }
        }
        return nullptr;
    }

    std::string BuscarAula(const Hueco& h, std::size_t r) const {
        for (std::size_t i = 0; i < aulas_.size(); ++i) {
            const std::string& aula = aulas_[(r + i) % aulas_.size()];
            if (!ocupados_.contains({"A" + aula, h})) return aula;
        }
        return {};
    }

    void Ocupar(const Fila& f) {
        ocupados_.insert({"P" + f.prof, f.hueco});
        if (!f.grupo.empty()) {
            ocupados_.insert({"G" + f.grupo, f.hueco});
            materiaDelDia_.insert({f.grupo + "/" + f.asignatura, f.hueco.dia});
        }
        if (!f.aula.empty()) ocupados_.insert({"A" + f.aula, f.hueco});
    }

    std::vector<std::string> profesores_;
    std::vector<std::string> aulas_;
    std::vector<Hueco> rejilla_;
    std::vector<int> dias_;
    std::set<std::pair<std::string, Hueco>> ocupados_;  // teacher, unit or room at a day and hour
    std::set<std::pair<std::string, int>> materiaDelDia_;
    std::vector<Fila> filas_;
    std::size_t colocadas_ = 0;
    std::size_t sinColocar_ = 0;
};

int Resolver(const fs::path& carpeta) {
    const std::vector<std::string> profesores = Columna(carpeta, "PROFT", "ABREV");
    const std::vector<std::string> aulas = Columna(carpeta, "AULAT", "DEPCENTRO");
    const std::vector<std::string> actividades = Columna(carpeta, "ASIGNOMT", "CODTAREA");
    const std::vector<Asignacion> asignaciones = LeerAsignaciones(carpeta);
    if (profesores.empty()) throw rt::Error("PROFT.DBF no tiene profesores a los que dar clases");
    Solucionador solucionador(profesores, aulas, LeerRejilla(carpeta));
    solucionador.ColocarLecciones(asignaciones);
    solucionador.AnadirOtrasFilas(actividades, asignaciones);
    solucionador.Escribir(carpeta);
    std::cout << "SOLUC.DBF: " << solucionador.Filas() << " filas, " << solucionador.Colocadas()
              << " lecciones colocadas, " << solucionador.SinColocar() << " sin colocar (DIA 0)\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> palabras(argv + 1, argv + argc);
    if (!palabras.empty() && (palabras[0] == "--help" || palabras[0] == "-h")) {
        std::cout << kAyuda;
        return 0;
    }
    if (palabras.size() > 1) {
        std::cerr << kAyuda;
        return 2;
    }
    try {
        return Resolver(palabras.empty() ? rt::CarpetaTrabajoPredeterminada()
                                         : fs::path(palabras[0]));
    } catch (const std::exception& error) {
        std::cerr << "Error: " << error.what() << std::endl;
        return 2;
    }
}
